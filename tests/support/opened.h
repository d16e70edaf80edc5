// A window opened for a test with its own manual clock and error reporter,
// which fails the test if a run-time error was reported that the test did not
// take. Open a registry program with openProgram (family_test.h) or a
// description with openDescription:
//
//     auto w = openDescription(description, { .stage = Stage::Active });
//     click(*w, ...);
//     QCOMPARE(w.takeErrors(), Errors { RuntimeError::TypeMismatch });
#pragma once

#include "testing.h"

#include <QTest>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include "source_place.h"

namespace forms::testing {

using Errors = std::vector<RuntimeError::Number>;

// How far a window is taken before the test gets it: made, nothing run; Load
// raised; shown as run() shows it, and exposed; shown and active, so keys reach it.
enum class Stage { Built, Loaded, Shown, Active };

struct Opening {
    Stage stage = Stage::Shown;
    std::chrono::milliseconds idleStep { 10 };  // the manual clock's idle step
    bool systemClock = false;                   // the system's clock instead of the manual one
    std::optional<QDateTime> at {};             // where the manual clock's wall clock starts
};

// Takes a made form to `stage`.
void bringTo(Form& form, Stage stage);

// Fails the running test with `message` at `where`, unless it has already failed.
void failUnlessFailed(const QString& message, forms::testing::SourcePlace where);

template <class F = Form>
class Opened {
public:
    using Make = std::function<std::unique_ptr<Form>(Services)>;

    Opened(const Make& make, Opening opening, QString what, forms::testing::SourcePlace where)
        : what_(std::move(what)), where_(where)
    {
        ts_.clock.idleStep = opening.idleStep;
        if (opening.at)
            ts_.clock.set(*opening.at);
        Services services = ts_.services();
        if (opening.systemClock)
            services.clock = nullptr;
        std::unique_ptr<Form> made = make(services);
        form_.reset(dynamic_cast<F*>(made.get()));
        if (!form_)
            qFatal("%s:%d: the window of %s is not the class the test asks for", where.file_name(),
                   int(where.line()), qPrintable(what_));
        made.release();
        bringTo(*form_, opening.stage);
    }
    Opened(const Opened&) = delete;
    Opened& operator=(const Opened&) = delete;

    // Closes the window; errors reported until then and not taken fail the test.
    ~Opened()
    {
        form_.reset();
        QStringList numbers;
        for (RuntimeError::Number n : ts_.reporter.errors)
            numbers << QString::number(int(n));
        if (!numbers.isEmpty())
            failUnlessFailed(what_ + " reported run-time errors the test did not expect: " + numbers.join(", "), where_);
    }

    F& operator*() const { return *form_; }
    F* operator->() const { return form_.get(); }
    F& form() const { return *form_; }
    ManualClock& clock() { return ts_.clock; }
    // The errors reported so far, which the test then expects: they no longer fail it.
    Errors takeErrors() { return std::exchange(ts_.reporter.errors, {}); }
    // The errors reported so far, left to fail the test unless taken.
    const Errors& errors() const { return ts_.reporter.errors; }

private:
    TestServices ts_;
    std::unique_ptr<F> form_;
    QString what_;
    forms::testing::SourcePlace where_;
};

// A form of `description` on test services, taken to `opening.stage`.
inline Opened<> openDescription(const Description& description, Opening opening = {},
                                forms::testing::SourcePlace where = forms::testing::SourcePlace::current())
{
    return Opened<>([&](Services s) { return std::make_unique<Form>(description, s); }, opening,
                    QString::fromUtf8(description.window.name.data(), qsizetype(description.window.name.size())),
                    where);
}

}  // namespace forms::testing
