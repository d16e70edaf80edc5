#include "family_test.h"

#include "table.h"

#include <forms/text.h>

#include <QAccessible>
#include <QTest>

namespace forms::testing {

namespace {

// The ids of the builds the registry gives a family, in registry order.
QStringList registryBuilds(std::string_view family)
{
    QStringList builds;
    for (const auto& program : programs::all())
        if (program.family == family)
            builds << qstring(program.id);
    return builds;
}

}  // namespace

std::unique_ptr<Form> makeProgram(std::string_view id, Services services)
{
    for (const auto& program : programs::all())
        if (program.id == id)
            return program.make(services);
    qFatal("programs/registry.cmake has no program %.*s", int(id.size()), id.data());
}

FamilyTest::FamilyTest(std::string_view family, std::map<QString, AccessibleTree> trees, std::source_location file)
    : family_(family)
    , trees_(std::move(trees))
    , file_(file.file_name())
    , line_(int(file.line()))
{
}

void FamilyTest::addBuildRows() const
{
    QTest::addColumn<QString>("build");
    const QStringList builds = registryBuilds(family_);
    for (const QString& build : builds) {
        if (trees_.count(build))
            QTest::newRow(qPrintable(build)) << build;
        else
            QTest::qFail(qPrintable(QStringLiteral("%1 is a build of the family %2 in programs/registry.cmake, but %3 "
                                                   "does not know it: add its accessible tree to the builds its "
                                                   "FamilyTest names, and its rows to the tests")
                                        .arg(build, qstring(family_), QString::fromUtf8(file_))),
                         file_, line_);
    }
    for (const auto& [build, tree] : trees_)
        if (!builds.contains(build))
            QTest::qFail(qPrintable(QStringLiteral("%1 names the build %2, which programs/registry.cmake does not "
                                                   "give the family %3")
                                        .arg(QString::fromUtf8(file_), build, qstring(family_))),
                         file_, line_);
}

std::unique_ptr<Form> FamilyTest::makeKnown(const QString& build, TestServices& ts) const
{
    if (!trees_.count(build))
        qFatal("%s does not know the build %s", file_, qPrintable(build));
    return makeProgram(build.toStdString(), ts.services());
}

void FamilyTest::descriptionIsSound()
{
    QFETCH(QString, build);
    TestServices ts;
    const auto form = make(build, ts);
    QCOMPARE(forms::problems(form->windowDescription()), std::vector<std::string> {});
}

// The window, then the client area's children in reading order, as the build starts.
void FamilyTest::accessibleTreeAtStart()
{
    QFETCH(QString, build);
    TestServices ts;
    const auto form = make(build, ts);
    showForm(*form);
    const AccessibleTree& expected = trees_.at(build);
    QAccessibleInterface* top = QAccessible::queryAccessibleInterface(form->window());
    QCOMPARE(describeAccessible(top), expected.window);
    QCOMPARE(describeChildren(QAccessible::queryAccessibleInterface(&form->surface())), expected.children);
}

}  // namespace forms::testing
