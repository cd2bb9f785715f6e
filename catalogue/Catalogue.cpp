#include "catalogue/Catalogue.h"

#include <array>
#include <vector>

namespace catalogue {

namespace {

using Kind = MenuEntry::Kind;

// A topic whose menu item opens the same stem as its page file name.
constexpr MenuEntry topic(QStringView item, QStringView caption, QStringView stem,
                          QStringView title) {
    return {Kind::Topic, item, caption, Topic{item, caption, stem, stem, title}, {}};
}

// A topic whose menu item spells the stem differently from its page file.
constexpr MenuEntry topic(QStringView item, QStringView caption, QStringView itemStem,
                          QStringView pageStem, QStringView title) {
    return {Kind::Topic, item, caption, Topic{item, caption, itemStem, pageStem, title}, {}};
}

constexpr MenuEntry separator(QStringView name) {
    return {Kind::Separator, name, u"-", {}, {}};
}

constexpr MenuEntry history[] = {
    topic(u"mnuAltair", u"Altair 8800", u"altair", u"Altair 8800"),
    topic(u"mnuImsai", u"Imsai 8080", u"IMSAI", u"IMSAI 8080"),
    separator(u"Bar1"),
    topic(u"mnuAppI", u"Apple I", u"AppleI", u"Apple I"),
    topic(u"mnuAppII", u"Apple II", u"AppleII", u"Apple II"),
    topic(u"mnuAppIII", u"Apple III", u"AppleIII", u"Apple III"),
    topic(u"mnuAppLis", u"Apple Lisa", u"Apple_Lisa", u"Apple Lisa"),
    topic(u"mnuAppMac", u"Apple Macintosh", u"Macintosh", u"Първият Macintosh"),
    topic(u"mnuAppMacSe", u"Apple Mac SE", u"MacSe", u"Macintosh SE"),
    separator(u"Bar2"),
    topic(u"mnuIbmPc", u"IBM PC", u"IBMPC", u"Първият IBM PC"),
    separator(u"Bar3"),
    topic(u"mnuLaptop", u"Първите преносими компютри", u"grid", u"Първите преносими компютри"),
    topic(u"mnuGUI", u"Кратка история на графичният интерфейс", u"GUI",
          u"История на графичният интерфейс"),
};

constexpr MenuEntry hardware[] = {
    topic(u"mnuCPU", u"Микропроцесорът", u"processors", u"Микропроцесорите"),
    // The item has always opened "Chipset" while the page is stored as "chipset.htm".
    topic(u"mnuChipSet", u"Чипсетът", u"Chipset", u"chipset", u"Чипсетите"),
    topic(u"mnuRAM", u"RAM паметта", u"RAM", u"Оперативната памет"),
    topic(u"mnuBios", u"BIOS (ROM паметта)", u"BIOS", u"BIOS - постоянна памет"),
    separator(u"Bar4"),
    topic(u"mnuMotherboard", u"Дънната платка", u"motherboards", u"Дънните платки"),
    topic(u"mnuVGA", u"Графичната карта", u"VGA", u"Графичните карти"),
    topic(u"mnuSound", u"Звуковата карта", u"sound", u"Звуковите карти"),
    separator(u"Bar5"),
    topic(u"mnuHDD", u"Твърдият диск", u"HDD", u"Твърдите дискове"),
    topic(u"mnuCd", u"Оптичните устройства", u"CDD", u"CD устройствата"),
    topic(u"mnuFloppy", u"Флопидисковото устройство", u"floppy", u"Флопидисковите устройства"),
    separator(u"Bar6"),
    topic(u"mnuPSU", u"Захранващият блок", u"PSU", u"Захранването"),
};

constexpr MenuEntry interfaces[] = {
    topic(u"mnuISA", u"ISA шината", u"ISA", u"ISA шината"),
    topic(u"mnuPCI", u"PCI шината", u"PCI", u"PCI шината"),
    topic(u"mnuPciExpress", u"PCI-X шината", u"pcix", u"PCI-X шината"),
    topic(u"mnuAGP", u"AGP шината", u"AGP", u"AGP портът"),
    separator(u"Bar7"),
    topic(u"mnuIDE", u"IDE / ATA", u"IDE", u"IDE интерфейсът"),
    topic(u"mnuSata", u"SATA", u"SATA", u"SATA интерфейсът"),
    separator(u"Bar8"),
    topic(u"mnuUSB", u"USB порта", u"USB", u"USB портът"),
    topic(u"mnuSerial", u"Серийният порт", u"serien", u"Серийният порт"),
    topic(u"mnuParallel", u"Паралелният порт", u"parallel", u"Паралелният порт"),
};

constexpr MenuEntry monitors[] = {
    topic(u"mnuCRT", u"CRT - Електроннолъчеви", u"CRT", u"Монитори с електроннолъчева тръба"),
    topic(u"mnuLCD", u"LCD - течнокристални", u"LCD", u"Течнокристални дисплеи"),
};

constexpr MenuEntry peripherals[] = {
    topic(u"mnuKeybd", u"Клавиатурата", u"keyboard", u"Клавиатурата"),
    topic(u"mnuMouse", u"Мишката", u"mouse", u"Мишките"),
    separator(u"Bar9"),
    topic(u"mnuPrinter", u"Принтерът", u"printer", u"Принтерите"),
    topic(u"mnuScanner", u"Скенерът", u"scanner", u"Скенерите"),
    separator(u"Bar10"),
    topic(u"mnuModem", u"Модемът", u"modem", u"Модемите"),
    separator(u"Bar11"),
    {Kind::Submenu, u"mnuMonitor", u"Мониторите", {}, monitors},
    topic(u"mnuProektor", u"Мултимедийните проектори", u"proektor", u"Мултимедийните проектори"),
};

constexpr MenuEntry networks[] = {
    topic(u"mnuInternet", u"Интернет", u"internet", u"Интернет"),
    topic(u"mnuCab_Modem", u"Кабелният модем", u"cab_modem", u"Кабелен модем"),
    topic(u"mnuDSL", u"DSL", u"DSL", u"DSL"),
    separator(u"mnuEmpty"),
    topic(u"mnuNetworks", u"Мрежи", u"networks", u"Мрежи"),
    topic(u"mnuOSI", u"OSI модела", u"OSI", u"OSI моделът"),
    topic(u"mnuRouter", u"Маршрутизатори", u"router", u"Маршрутизатори"),
    topic(u"mnuSwitch", u"Суичове", u"switch", u"Суичовете"),
};

constexpr std::array<Category, 5> allCategories{{
    {u"mnuHist", u"История", u"cmdHistory", history},
    {u"mnuHardware", u"Хардуер", u"cmdHardware", hardware},
    {u"mnuPeriphel", u"Периферни устройства", u"cmdPeri", peripherals},
    {u"mnuInterface", u"Интерфейси", u"cmdInterf", interfaces},
    {u"mnuNet", u"Мрежи", u"cmdNet", networks},
}};

constexpr Topic startPage{{}, {}, startStem, startStem, u"Добре дошли"};

void collect(std::span<const MenuEntry> entries, std::vector<Topic>& into) {
    for (const MenuEntry& entry : entries) {
        if (entry.kind == Kind::Topic)
            into.push_back(entry.topic);
        else if (entry.kind == Kind::Submenu)
            collect(entry.children, into);
    }
}

std::vector<Topic> gatherTopics() {
    std::vector<Topic> all;
    for (const Category& category : allCategories)
        collect(category.entries, all);
    all.push_back(startPage);
    return all;
}

} // namespace

std::span<const Category> categories() {
    return allCategories;
}

std::span<const Topic> topics() {
    static const std::vector<Topic> all = gatherTopics();
    return all;
}

std::optional<QString> resultTitleForPageFile(QStringView fileName) {
    for (const Topic& topic : topics())
        if (topic.pageFile() == fileName)
            return topic.resultTitle.toString();
    return std::nullopt;
}

std::optional<QString> stemForResultTitle(QStringView title) {
    for (const Topic& topic : topics())
        if (topic.resultTitle == title)
            return topic.pageStem.toString();
    return std::nullopt;
}

} // namespace catalogue
