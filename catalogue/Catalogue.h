#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <span>

// The encyclopedia's fixed vocabulary: its 47 topics, the five category menus
// that open 46 of them, and the lookups between menu items, page files and
// search result titles.
namespace catalogue {

struct Topic {
    QStringView item;     // the menu item's name; empty for the start page
    QStringView caption;  // the menu item's text
    QStringView itemStem; // what the menu item opens
    QStringView pageStem; // the page file's name less ".htm"; what a search result opens
    QStringView resultTitle;

    QString pageFile() const { return pageStem.toString() + QStringLiteral(".htm"); }
};

struct MenuEntry {
    enum class Kind { Topic, Separator, Submenu };
    Kind kind;
    QStringView name;                    // the entry's object name
    QStringView caption;                 // "-" for a separator
    Topic topic;                         // for Kind::Topic
    std::span<const MenuEntry> children; // for Kind::Submenu
};

struct Category {
    QStringView menu;
    QStringView caption;
    QStringView button; // the image button that pops the menu up
    std::span<const MenuEntry> entries;
};

inline constexpr QStringView startStem = u"welcome";

// The five category menus in the order of their buttons' pair indices.
std::span<const Category> categories();

// All 47 topics: the menu items in menu order, then the start page.
std::span<const Topic> topics();

// The result title of a page file name as the Data folder lists it, compared
// exactly; nothing for a name that no topic has.
std::optional<QString> resultTitleForPageFile(QStringView fileName);

// The page stem of a result title, compared exactly; nothing for an unknown title.
std::optional<QString> stemForResultTitle(QStringView title);

} // namespace catalogue
