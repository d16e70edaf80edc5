// What every family's tests share. A family's test class derives from
// FamilyTest, naming its family and its table of per-program facts: for each
// program it knows, by id, what a screen reader is given of that program's window
// at start (the row's `tree`) and whatever else the tests tell programs apart by.
// FamilyTest then
//   - adds one Qt Test row per program the registry gives the family, or one per
//     program and case (addProgramRows), and opens each program's window by its id
//     (open), failing the test on any run-time error it did not take;
//   - checks every program's description and its accessible tree;
//   - fails, naming the program and the test file, while the registry gives the
//     family a program the file does not know, or the file names one the
//     registry does not give it.
#pragma once

#include "opened.h"
#include "testing.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include "source_place.h"
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

// A program of the registry by its id, on test services, taken to `opening.stage`.
template <class F = Form>
Opened<F> openProgram(const QString& id, Opening opening = {},
                      forms::testing::SourcePlace where = forms::testing::SourcePlace::current())
{
    return Opened<F>([id](Services s) { return makeProgram(id.toStdString(), s); }, opening, id, where);
}

// The same, held for a test class's init() and cleanup().
template <class F = Form>
std::unique_ptr<Opened<F>> openProgramHeld(const QString& id, Opening opening = {},
                                           forms::testing::SourcePlace where = forms::testing::SourcePlace::current())
{
    return std::make_unique<Opened<F>>([id](Services s) { return makeProgram(id.toStdString(), s); }, opening, id,
                                       where);
}

// The program of the current test row (its column "program").
QString currentProgram();

class FamilyTest : public QObject {
    Q_OBJECT

protected:
    // `trees`: for each program of `family` this test file knows, by its id, its
    // accessible tree at start. `file` is the test file, to name it in failures.
    FamilyTest(std::string_view family, std::map<QString, AccessibleTree> trees,
               forms::testing::SourcePlace file = forms::testing::SourcePlace::current());
    // The same from a table of facts whose rows each hold a `tree`.
    template <class Facts>
    FamilyTest(std::string_view family, const std::map<QString, Facts>& facts,
               forms::testing::SourcePlace file = forms::testing::SourcePlace::current())
        : FamilyTest(family, treesOf(facts), file)
    {
    }

    // Adds the column "program" and one row for each program the registry gives the
    // family, in registry order; fails the test function for a program the file
    // does not know, naming it. With `cases`, also a column `column` and one
    // row "<program> <case>" for each program and case. With `keep`, only the
    // programs it keeps (by id) have rows.
    void addProgramRows(const QStringList& cases = {}, const char* column = "case",
                      const std::function<bool(const QString&)>& keep = {}) const;
    void addProgramRows(const std::function<bool(const QString&)>& keep) const { addProgramRows({}, "case", keep); }

    // The program's window, on test services, as the program makes it; stops the
    // test program for a program the file does not know or a form that is not an F.
    template <class F = Form>
    Opened<F> open(const QString& program, Opening opening = {},
                   forms::testing::SourcePlace where = forms::testing::SourcePlace::current()) const
    {
        checkKnown(program);
        return openProgram<F>(program, opening, where);
    }

private slots:
    void descriptionIsSound_data() { addProgramRows(); }
    void descriptionIsSound();
    void accessibleTreeAtStart_data() { addProgramRows(); }
    void accessibleTreeAtStart();

private:
    template <class Facts>
    static std::map<QString, AccessibleTree> treesOf(const std::map<QString, Facts>& facts)
    {
        std::map<QString, AccessibleTree> trees;
        for (const auto& [program, row] : facts)
            trees.emplace(program, row.tree);
        return trees;
    }
    void checkKnown(const QString& program) const;

    std::string_view family_;
    std::map<QString, AccessibleTree> trees_;
    const char* file_;
    int line_;
};

}  // namespace forms::testing
