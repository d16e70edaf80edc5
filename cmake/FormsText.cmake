# Registry texts made safe for the formats the build writes them into.

# forms_cxx_literal(<text> <variable>): a C++ string literal holding the text.
function(forms_cxx_literal text variable)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\\\"" text "${text}")
  string(REPLACE "\n" "\\n" text "${text}")
  set(${variable} "\"${text}\"" PARENT_SCOPE)
endfunction()

# forms_roff(<text> <variable>): text for a line of a manual page.
function(forms_roff text variable)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  if(text MATCHES "^[.']")
    string(PREPEND text "\\&")
  endif()
  set(${variable} "${text}" PARENT_SCOPE)
endfunction()

# forms_xml(<text> <variable>): text for an XML element.
function(forms_xml text variable)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${variable} "${text}" PARENT_SCOPE)
endfunction()

# forms_markdown_cell(<text> <variable>): text for a cell of a Markdown table.
function(forms_markdown_cell text variable)
  string(REPLACE "|" "\\|" text "${text}")
  string(REPLACE "\n" " " text "${text}")
  set(${variable} "${text}" PARENT_SCOPE)
endfunction()

# forms_url_path(<text> <variable>): text for a URL's path, every byte outside
# the unreserved characters percent-encoded (ΩΡΑ.png is %CE%A9%CE%A1%CE%91.png).
function(forms_url_path text variable)
  string(HEX "${text}" hex)
  string(LENGTH "${hex}" length)
  set(url "")
  set(i 0)
  while(i LESS length)
    string(SUBSTRING "${hex}" ${i} 2 byte)
    math(EXPR code "0x${byte}")
    string(ASCII ${code} char)
    if(char MATCHES "^[A-Za-z0-9._~-]$")
      string(APPEND url "${char}")
    else()
      string(TOUPPER "%${byte}" byte)
      string(APPEND url "${byte}")
    endif()
    math(EXPR i "${i} + 2")
  endwhile()
  set(${variable} "${url}" PARENT_SCOPE)
endfunction()
