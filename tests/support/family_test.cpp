#include "family_test.h"

#include "table.h"

#include <forms/text.h>

#include <QAccessible>
#include <QTest>

namespace forms::testing {

namespace {

// The ids of the programs the registry gives a family, in registry order.
QStringList registryPrograms(std::string_view family)
{
    QStringList ids;
    for (const auto& program : programs::all())
        if (program.family == family)
            ids << qstring(program.id);
    return ids;
}

}  // namespace

std::unique_ptr<Form> makeProgram(std::string_view id, Services services)
{
    for (const auto& program : programs::all())
        if (program.id == id)
            return program.make(services);
    qFatal("the registry (programs/*/CMakeLists.txt) has no program %.*s", int(id.size()), id.data());
}

QString currentProgram()
{
    QFETCH(QString, program);
    return program;
}

FamilyTest::FamilyTest(std::string_view family, std::map<QString, AccessibleTree> trees, forms::testing::SourcePlace file)
    : family_(family)
    , trees_(std::move(trees))
    , file_(file.file_name())
    , line_(int(file.line()))
{
}

void FamilyTest::addProgramRows(const QStringList& cases, const char* column,
                              const std::function<bool(const QString&)>& keep) const
{
    QTest::addColumn<QString>("program");
    if (!cases.isEmpty())
        QTest::addColumn<QString>(column);
    const QStringList ids = registryPrograms(family_);
    for (const QString& program : ids) {
        if (!trees_.count(program))
            QTest::qFail(qPrintable(QStringLiteral("%1 is a program of the family %2 in programs/%2/CMakeLists.txt, but %3 "
                                                   "does not know it: add its row to the table of facts its "
                                                   "FamilyTest names")
                                        .arg(program, qstring(family_), QString::fromUtf8(file_))),
                         file_, line_);
        else if (keep && !keep(program))
            continue;
        else if (cases.isEmpty())
            QTest::newRow(qPrintable(program)) << program;
        else
            for (const QString& c : cases)
                QTest::addRow("%s %s", qPrintable(program), qPrintable(c)) << program << c;
    }
    for (const auto& [program, tree] : trees_)
        if (!ids.contains(program))
            QTest::qFail(qPrintable(QStringLiteral("%1 names the program %2, which programs/%3/CMakeLists.txt does not "
                                                   "give the family %3")
                                        .arg(QString::fromUtf8(file_), program, qstring(family_))),
                         file_, line_);
}

void FamilyTest::checkKnown(const QString& program) const
{
    if (!trees_.count(program))
        qFatal("%s does not know the program %s", file_, qPrintable(program));
}

void FamilyTest::descriptionIsSound()
{
    const auto form = open(currentProgram(), { .stage = Stage::Built });
    QCOMPARE(forms::problems(form->windowDescription()), std::vector<std::string> {});
}

// The window, then the client area's children in reading order, as the program starts.
void FamilyTest::accessibleTreeAtStart()
{
    const QString program = currentProgram();
    const auto form = open(program);
    const AccessibleTree& expected = trees_.at(program);
    QAccessibleInterface* top = QAccessible::queryAccessibleInterface(form->window());
    QCOMPARE(describeAccessible(top), expected.window);
    QCOMPARE(describeChildren(QAccessible::queryAccessibleInterface(&form->surface())), expected.children);
}

}  // namespace forms::testing
