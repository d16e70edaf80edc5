#include "forms/description.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>

namespace forms {

namespace {

[[noreturn]] void missing(std::string_view name)
{
    std::fprintf(stderr, "forms: the description has no control named %.*s\n", int(name.size()), name.data());
    std::abort();
}

}  // namespace

ControlRow& Description::control(std::string_view name)
{
    auto found = std::find_if(controls.begin(), controls.end(), [&](const ControlRow& c) { return c.name == name; });
    if (found == controls.end())
        missing(name);
    return *found;
}

const ControlRow& Description::control(std::string_view name) const
{
    return const_cast<Description*>(this)->control(name);
}

void Description::moveBefore(std::string_view name, std::string_view before)
{
    ControlRow moved = control(name);
    control(before);  // must exist
    controls.erase(std::find_if(controls.begin(), controls.end(), [&](const ControlRow& c) { return c.name == name; }));
    controls.insert(std::find_if(controls.begin(), controls.end(), [&](const ControlRow& c) { return c.name == before; }),
                    moved);
}

std::vector<std::string> problems(const Description& description)
{
    std::vector<std::string> found;
    std::set<std::string_view> names;
    std::set<int> indices { 0 };
    std::vector<int> tabs;
    auto identity = [&](std::string_view name, int index) {
        if (!names.insert(name).second)
            found.push_back("name " + std::string(name) + " is used twice");
        if (index <= 0 || !indices.insert(index).second)
            found.push_back("creation index " + std::to_string(index) + " of " + std::string(name) + " is not unique");
    };
    for (const ControlRow& c : description.controls) {
        identity(c.name, c.index);
        if (c.tabIndex)
            tabs.push_back(*c.tabIndex);
        const Needs needs = traitsOf(c.kind).needs;
        if (needs == Needs::Picture && c.picture.empty())
            found.push_back(std::string(c.name) + " has no picture");
        if (needs == Needs::Picture && c.description.empty())
            found.push_back(std::string(c.name) + " has no description of its picture");
        if (needs == Needs::Interval && c.interval <= 0)
            found.push_back(std::string(c.name) + " has no interval");
    }
    for (const MenuRow& m : description.menus)
        identity(m.name, m.index);
    std::sort(tabs.begin(), tabs.end());
    for (size_t i = 0; i < tabs.size(); ++i)
        if (tabs[i] != int(i)) {
            found.push_back("TabIndex values are not distinct and running from 0");
            break;
        }
    return found;
}

void stopOnProblems(const Description& description)
{
    const std::vector<std::string> found = problems(description);
    if (found.empty())
        return;
    for (const std::string& problem : found)
        std::fprintf(stderr, "forms: window %.*s: %s\n", int(description.window.name.size()), description.window.name.data(),
                     problem.c_str());
    std::abort();
}

}  // namespace forms
