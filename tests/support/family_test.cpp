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
    qFatal("the registry (programs/*/CMakeLists.txt) has no program %.*s", int(id.size()), id.data());
}

QString currentBuild()
{
    QFETCH(QString, build);
    return build;
}

FamilyTest::FamilyTest(std::string_view family, std::map<QString, AccessibleTree> trees, forms::testing::SourcePlace file)
    : family_(family)
    , trees_(std::move(trees))
    , file_(file.file_name())
    , line_(int(file.line()))
{
}

void FamilyTest::addBuildRows(const QStringList& cases, const char* column,
                              const std::function<bool(const QString&)>& keep) const
{
    QTest::addColumn<QString>("build");
    if (!cases.isEmpty())
        QTest::addColumn<QString>(column);
    const QStringList builds = registryBuilds(family_);
    for (const QString& build : builds) {
        if (!trees_.count(build))
            QTest::qFail(qPrintable(QStringLiteral("%1 is a build of the family %2 in programs/%2/CMakeLists.txt, but %3 "
                                                   "does not know it: add its row to the table of facts its "
                                                   "FamilyTest names")
                                        .arg(build, qstring(family_), QString::fromUtf8(file_))),
                         file_, line_);
        else if (keep && !keep(build))
            continue;
        else if (cases.isEmpty())
            QTest::newRow(qPrintable(build)) << build;
        else
            for (const QString& c : cases)
                QTest::addRow("%s %s", qPrintable(build), qPrintable(c)) << build << c;
    }
    for (const auto& [build, tree] : trees_)
        if (!builds.contains(build))
            QTest::qFail(qPrintable(QStringLiteral("%1 names the build %2, which programs/%3/CMakeLists.txt does not "
                                                   "give the family %3")
                                        .arg(QString::fromUtf8(file_), build, qstring(family_))),
                         file_, line_);
}

void FamilyTest::checkKnown(const QString& build) const
{
    if (!trees_.count(build))
        qFatal("%s does not know the build %s", file_, qPrintable(build));
}

void FamilyTest::descriptionIsSound()
{
    const auto form = open(currentBuild(), { .stage = Stage::Built });
    QCOMPARE(forms::problems(form->windowDescription()), std::vector<std::string> {});
}

// The window, then the client area's children in reading order, as the build starts.
void FamilyTest::accessibleTreeAtStart()
{
    const QString build = currentBuild();
    const auto form = open(build);
    const AccessibleTree& expected = trees_.at(build);
    QAccessibleInterface* top = QAccessible::queryAccessibleInterface(form->window());
    QCOMPARE(describeAccessible(top), expected.window);
    QCOMPARE(describeChildren(QAccessible::queryAccessibleInterface(&form->surface())), expected.children);
}

}  // namespace forms::testing
