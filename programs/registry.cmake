# The programs. Each entry names one program; everything that lists programs
# (the build, the tests, the screenshots, the icons, the menu entries, the
# package, the README's table, ./run and the tools) reads this file, through
# cmake/FormsRegistry.cmake. Adding a program is its family's folder under
# programs/ (description, accessors, handlers, icon.cpp), its tests under
# tests/programs/<family>/, and one entry here.
#
# forms_program(<executable>
#   FAMILY <folder>          programs/<folder> and tests/programs/<folder>
#   FORM <class> HEADER <h>  the family's window class main() runs, and the header declaring it
#   [VARIANT <function>]     what the class is built from (its description, its texts);
#                            default: the function of the class's namespace named as the id
#   [ID <ascii id>]          names the CMake target, menu entry and icon; default: the executable
#   ICON <drawing>           its icon drawing, in programs/<folder>/icon.cpp
#   CATEGORIES <...>         menu categories
#   NAME, NAME_EN            menu name, Greek and English
#   [GENERIC, GENERIC_EN]    what kind of program it is, where the name does not say
#   COMMENT, COMMENT_EN      one line saying what it does
#   DESCRIPTION_EN           a paragraph saying what it shows and does, for its manual
#                            page and its AppStream metadata
#   KEYWORDS, KEYWORDS_EN    words a menu or software centre finds it by, Greek and English
#   [CONTENT_RATING <attribute>=<value>...]
#                            its OARS 1.1 content rating where it is not all "none"
#   SHOTS <shot>...)         screenshots: "<file name>[: <action>, <action>...]", an action
#                            being "click <control>" or "wait <milliseconds>"

forms_program(trafficlight FAMILY trafficlight FORM trafficlight::Trafic_Lights HEADER trafficlight.h
  ICON trafficlight CATEGORIES Game KidsGame
  NAME "Trafic_Lights" NAME_EN "Trafic_Lights" GENERIC "Φανάρι" GENERIC_EN "Traffic light"
  COMMENT "Ένα φανάρι που γυρίζεις από πράσινο σε κόκκινο και πίσω"
  COMMENT_EN "A traffic light you switch between green and red"
  DESCRIPTION_EN "A window in green with a traffic light and one button. The button names the colour it switches to: \"red\" turns the light and the window red, and \"green\" turns them green again."
  KEYWORDS φανάρι κόκκινο πράσινο χρώμα
  KEYWORDS_EN "traffic light" red green colour
  SHOTS "trafficlight" "trafficlight-red: click red")

forms_program(chase FAMILY chase FORM chase::Form1 HEADER chase.h
  ICON chase CATEGORIES Game SportsGame
  NAME "Καταδίωξη" NAME_EN "Pursuit race"
  COMMENT "Μια φόρμουλα κυνηγά ένα αυτοκινητάκι· εσύ γράφεις πόσες φορές ταχύτερη είναι"
  COMMENT_EN "A racing car chases a cartoon car; you type how many times faster it is"
  DESCRIPTION_EN "A pursuit race between two pictures: a racing car chases a cartoon car. At each step the racing car jumps to where the cartoon car stood, and the cartoon car moves on by that gap divided by the factor typed in the box, so the larger the factor, the sooner the race ends. The button \"start\" runs a race from the start positions; at factors between about 1.14 and 2, where the race would never end, it ends once the lead stops shrinking."
  KEYWORDS καταδίωξη αγώνας αυτοκίνητο ταχύτητα
  KEYWORDS_EN pursuit race car speed
  SHOTS "chase" "chase-raced: click START")

forms_program(chase2 FAMILY chase FORM chase::Form1 HEADER chase.h
  ICON chase2 CATEGORIES Game SportsGame
  NAME "Καταδίωξη με φιγούρες" NAME_EN "Pursuit race with figures"
  COMMENT "Μια φιγούρα κυνηγά μια άλλη· εσύ γράφεις πόσες φορές ταχύτερη είναι"
  COMMENT_EN "One figure chases another; you type how many times faster it is"
  DESCRIPTION_EN "A pursuit race between two figures: at each step the chasing figure jumps to where the other stood, which moves on by that gap divided by the factor typed in the box, so the larger the factor, the sooner the race ends. The button \"start\" runs a race from the start positions; at factors between about 1.13 and 2, where the race would never end, it ends once the lead stops shrinking."
  KEYWORDS καταδίωξη αγώνας φιγούρα ταχύτητα
  KEYWORDS_EN pursuit race figure speed
  SHOTS "chase2" "chase2-raced: click START")

forms_program(quiz FAMILY quiz FORM quiz::Questionnaire HEADER quiz.h
  ICON quiz CATEGORIES Game
  NAME "Ερωτηματολόγιο" NAME_EN "Joke questionnaire"
  COMMENT "Αστείο ερωτηματολόγιο που πειράζει κάθε απάντηση"
  COMMENT_EN "A joke questionnaire that teases every answer"
  DESCRIPTION_EN "A crude joke questionnaire in Greek: it asks the size of the user's penis and offers four answers, each of which prints a teasing retort on the window. The button below reveals a line of mocking laughter and closes the program ten seconds later."
  KEYWORDS κουίζ ερωτηματολόγιο αστείο πείραγμα
  KEYWORDS_EN quiz questionnaire joke tease
  CONTENT_RATING language-humor=intense
  SHOTS "quiz" "quiz-answered: click Option1, click Option2, click Option3, click Option4, click Command1")

forms_program(quiz2 FAMILY quiz FORM quiz::Questionnaire HEADER quiz.h
  ICON quiz2 CATEGORIES Game
  NAME "Ερωτηματολόγιο 2" NAME_EN "Joke questionnaire 2"
  COMMENT "Αστείο ερωτηματολόγιο που πειράζει κάθε απάντηση, με άλλη πρώτη ατάκα"
  COMMENT_EN "A joke questionnaire that teases every answer, with another first retort"
  DESCRIPTION_EN "A crude joke questionnaire in Greek, with a louder first retort than \"Joke questionnaire\": it asks the size of the user's penis and offers four answers, each of which prints a teasing retort on the window; the button below reveals a line of mocking laughter and closes the program ten seconds later."
  KEYWORDS κουίζ ερωτηματολόγιο αστείο πείραγμα
  KEYWORDS_EN quiz questionnaire joke tease
  CONTENT_RATING language-humor=intense
  SHOTS "quiz2" "quiz2-answered: click Option1, click Option2, click Option3, click Option4, click Command1")

forms_program(quiz3 FAMILY quiz FORM quiz::Questionnaire HEADER quiz.h
  ICON quiz3 CATEGORIES Game
  NAME "Είσαι έξυπνος?" NAME_EN "Are you clever?"
  COMMENT "Αστείο ερωτηματολόγιο για την εξυπνάδα σου"
  COMMENT_EN "A joke questionnaire about how clever you are"
  DESCRIPTION_EN "A joke questionnaire in Greek that asks \"ΕΙΣΑΙ ΕΞΥΠΝΟΣ?\" (are you clever?), and offers four answers, each of which prints a teasing retort on the window. The button below reveals a line of mocking laughter and closes the program ten seconds later."
  KEYWORDS κουίζ ερωτηματολόγιο αστείο εξυπνάδα
  KEYWORDS_EN quiz questionnaire joke clever
  CONTENT_RATING language-humor=moderate
  SHOTS "quiz3" "quiz3-answered: click Option1, click Option2, click Option3, click Option4, click Command1")

forms_program(greeter FAMILY greeter FORM greeter::GreetingForm HEADER greeter.h
  ICON greeter CATEGORIES Game KidsGame
  NAME "Χαιρετισμοί χωρίς πλαίσιο" NAME_EN "Greetings, frameless"
  COMMENT "Κουμπιά που τυπώνουν έναν χαιρετισμό στο παράθυρο· κλείνει με Alt+F4"
  COMMENT_EN "Buttons that print a greeting on the window; close it with Alt+F4"
  DESCRIPTION_EN "A window without a title bar or frame with three buttons. The two upper ones print a greeting on the window, one line each time; the first greeting hides the third button, which would clear the lines, for good. Close the window with Alt+F4."
  KEYWORDS χαιρετισμός κουμπί πλαίσιο
  KEYWORDS_EN greeting hello button frameless
  SHOTS "greeter" "greeter-greeted: click showfriend, click showworld, click showfriend")

forms_program(greeter2 FAMILY greeter FORM greeter::SignedGreetingForm HEADER greeter.h
  ICON greeter2 CATEGORIES Game KidsGame
  NAME "Χαιρετισμοί" NAME_EN "Greetings"
  COMMENT "Κουμπιά που τυπώνουν έναν χαιρετισμό στο παράθυρο και ένα που τον σβήνει"
  COMMENT_EN "Buttons that print a greeting on the window, and one that clears it"
  DESCRIPTION_EN "An ordinary window with three buttons. The two upper ones print a greeting on the window, one line each time, and the third, \"Διαγραφή\", erases the lines at any time."
  KEYWORDS χαιρετισμός κουμπί σβήσιμο
  KEYWORDS_EN greeting hello button clear
  SHOTS "greeter2" "greeter2-greeted: click showfriend, click showworld, click showfriend")

forms_program(maxofthree FAMILY maxofthree FORM maxofthree::Form1 HEADER maxofthree.h
  ICON maxofthree CATEGORIES Utility Calculator
  NAME "Ο μεγαλύτερος από τρεις" NAME_EN "Largest of three"
  COMMENT "Φόρμα για τρεις αριθμούς και τον μεγαλύτερό τους, με μενού"
  COMMENT_EN "A form for three numbers and the largest of them, with a menu"
  DESCRIPTION_EN "A form with boxes for three numbers and one for the largest of them, under a menu. Its button, \"ΥΠΟΛΟΓΙΣΕ\", fills in 1, 2 and 3 and gives 3 as the largest, whatever was typed; the menu item \"Έξοδος\" closes the program."
  KEYWORDS μεγαλύτερος αριθμός σύγκριση αριθμομηχανή
  KEYWORDS_EN largest maximum number compare calculator
  SHOTS "maxofthree" "maxofthree-computed: click Command1")

forms_program(ΩΡΑ ID ora FAMILY clock FORM ora::Form1 HEADER ora.h
  ICON clock CATEGORIES Utility Clock
  NAME "ΩΡΑ" NAME_EN "Date and time"
  COMMENT "Η σημερινή ημερομηνία και η ώρα, που ανανεώνονται κάθε δευτερόλεπτο"
  COMMENT_EN "Today's date and the time, refreshed every second"
  DESCRIPTION_EN "A small window that shows today's date and the time of day in two boxes, refreshed every second and written in the user's regional formats. It runs until its window is closed."
  KEYWORDS ώρα ημερομηνία ρολόι ημερολόγιο
  KEYWORDS_EN time date clock calendar
  # The first tick fills both boxes, a second after the start.
  SHOTS "ΩΡΑ: wait 1000")
