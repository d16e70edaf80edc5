// Fuzz target: any text through the text-to-number conversions, in the C and
// Greek locales. Only a number or the runtime's error may come out.
#include <forms/conversions.h>
#include <forms/errors.h>

#include <QLocale>

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QLocale& locale : { QLocale::c(), QLocale(QLocale::Greek, QLocale::Greece) }) {
        QLocale::setDefault(locale);
        try {
            const double value = forms::toDouble(text);
            if (!std::isfinite(value))
                std::abort();  // a factor is always a finite number
            const std::int16_t rounded = forms::toInt16(value);
            if (std::fabs(double(rounded) - value) > 0.5)
                std::abort();
        } catch (const forms::RuntimeError& error) {
            if (error.number() != forms::RuntimeError::TypeMismatch && error.number() != forms::RuntimeError::Overflow)
                std::abort();
        }
    }
    return 0;
}
