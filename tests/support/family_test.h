// What every family's tests share. A family's test class derives from
// FamilyTest, naming its family and its table of per-build facts: for each
// build it knows, by id, what a screen reader is given of that build's window
// at start (the row's `tree`) and whatever else the tests tell builds apart by.
// FamilyTest then
//   - adds one Qt Test row per build the registry gives the family, or one per
//     build and case (addBuildRows), and opens each build's window by its id
//     (open), failing the test on any run-time error it did not take;
//   - checks every build's description and its accessible tree;
//   - fails, naming the build and the test file, while the registry gives the
//     family a build the file does not know, or the file names one the
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

// The build of the current test row (its column "build").
QString currentBuild();

class FamilyTest : public QObject {
    Q_OBJECT

protected:
    // `trees`: for each build of `family` this test file knows, by its id, its
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

    // Adds the column "build" and one row for each build the registry gives the
    // family, in registry order; fails the test function for a build the file
    // does not know, naming it. With `cases`, also a column `column` and one
    // row "<build> <case>" for each build and case. With `keep`, only the
    // builds it keeps (by id) have rows.
    void addBuildRows(const QStringList& cases = {}, const char* column = "case",
                      const std::function<bool(const QString&)>& keep = {}) const;
    void addBuildRows(const std::function<bool(const QString&)>& keep) const { addBuildRows({}, "case", keep); }

    // The build's window, on test services, as its program makes it; stops the
    // test program for a build the file does not know or a form that is not an F.
    template <class F = Form>
    Opened<F> open(const QString& build, Opening opening = {},
                   forms::testing::SourcePlace where = forms::testing::SourcePlace::current()) const
    {
        checkKnown(build);
        return openProgram<F>(build, opening, where);
    }

private slots:
    void descriptionIsSound_data() { addBuildRows(); }
    void descriptionIsSound();
    void accessibleTreeAtStart_data() { addBuildRows(); }
    void accessibleTreeAtStart();

private:
    template <class Facts>
    static std::map<QString, AccessibleTree> treesOf(const std::map<QString, Facts>& facts)
    {
        std::map<QString, AccessibleTree> trees;
        for (const auto& [build, row] : facts)
            trees.emplace(build, row.tree);
        return trees;
    }
    void checkKnown(const QString& build) const;

    std::string_view family_;
    std::map<QString, AccessibleTree> trees_;
    const char* file_;
    int line_;
};

}  // namespace forms::testing
