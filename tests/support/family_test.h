// What every family's tests share. A family's test class derives from
// FamilyTest, naming its family and, for each build it knows, what a screen
// reader is given of that build's window at start. FamilyTest then
//   - adds one Qt Test row per build the registry gives the family
//     (addBuildRows) and makes each build's form by its id (make);
//   - checks every build's description and its accessible tree;
//   - fails, naming the build and the test file, while the registry gives the
//     family a build the file does not know, or the file names one the
//     registry does not give it.
#pragma once

#include "testing.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <source_location>
#include <string_view>

namespace forms::testing {

// What a screen reader is given of a window: the window itself, then its
// client area's children in reading order (as describeAccessible gives them).
struct AccessibleTree {
    QString window;
    QStringList children;
};

// A program of the registry built by its id, on the services given; stops the
// test program, naming the id, when the registry has no such program.
std::unique_ptr<Form> makeProgram(std::string_view id, Services services);

class FamilyTest : public QObject {
    Q_OBJECT

protected:
    // `trees`: for each build of `family` this test file knows, by its id, its
    // accessible tree at start. `file` is the test file, to name it in failures.
    FamilyTest(std::string_view family, std::map<QString, AccessibleTree> trees,
               std::source_location file = std::source_location::current());

    // Adds the column "build" and one row for each build the registry gives the
    // family, in registry order; fails the test function for a build the file
    // does not know, naming it.
    void addBuildRows() const;

    // The build's form, made as its program makes it; stops the test program
    // for a build the file does not know or a form that is not an F.
    template <class F = Form>
    std::unique_ptr<F> make(const QString& build, TestServices& ts) const
    {
        std::unique_ptr<Form> form = makeKnown(build, ts);
        auto* typed = dynamic_cast<F*>(form.get());
        if (!typed)
            qFatal("%s: the window of %s is not the class this test asks for", file_, qPrintable(build));
        form.release();
        return std::unique_ptr<F>(typed);
    }

private slots:
    void descriptionIsSound_data() { addBuildRows(); }
    void descriptionIsSound();
    void accessibleTreeAtStart_data() { addBuildRows(); }
    void accessibleTreeAtStart();

private:
    std::unique_ptr<Form> makeKnown(const QString& build, TestServices& ts) const;

    std::string_view family_;
    std::map<QString, AccessibleTree> trees_;
    const char* file_;
    int line_;
};

}  // namespace forms::testing
