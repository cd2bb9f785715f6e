#include "bench/BulgarianCorpus.h"

#include "tests/pagescan/EncodeText.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringList>

namespace {

const QStringList Words = u"компютър процесор памет дънна платка твърд диск видеокарта монитор "
                          "клавиатура мишка шина контролер кеш честота напрежение захранване "
                          "история развитие модел производител стандарт интерфейс слот порт "
                          "кабел устройство система данни скорост капацитет технология "
                          "магнитен носител глава писта сектор цилиндър байт бит регистър "
                          "инструкция архитектура чипсет охлаждане радиатор вентилатор "
                          "българия софия завод година първият серия версия"_qs.split(u' ');

const QStringList Latin = u"AGP PCI ISA SATA IDE SCSI DDR BIOS CPU USB Intel IBM"_qs.split(u' ');

QString sentence(QRandomGenerator& random) {
    QString text;
    const int words = 6 + random.bounded(14);
    for (int i = 0; i < words; ++i) {
        if (i > 0)
            text += random.bounded(6) == 0 ? u", "_qs : u" "_qs;
        text += random.bounded(12) == 0 ? Latin[random.bounded(int(Latin.size()))]
                                        : Words[random.bounded(int(Words.size()))];
    }
    text[0] = text[0].toUpper();
    return text + u'.';
}

QString paragraph(QRandomGenerator& random, int number) {
    switch (random.bounded(8)) {
    case 0:
        return QStringLiteral("<h2 id=\"s%1\">%2</h2>").arg(number).arg(sentence(random));
    case 1:
        return QStringLiteral("<p class=\"note\">%1 <a href=\"page%2.htm\">%3</a>, %4</p>")
            .arg(sentence(random))
            .arg(random.bounded(100))
            .arg(Words[random.bounded(int(Words.size()))], sentence(random));
    default:
        return QStringLiteral("<p>%1 %2</p>").arg(sentence(random), sentence(random));
    }
}

} // namespace

QByteArray bulgarianPage(quint32 seed, qsizetype bytes, const QString& lastLine,
                         const char* charset) {
    QRandomGenerator random(seed);
    QString text = u"<html>\r\n<head>\r\n"_qs;
    if (qstricmp(charset, "windows-1251") != 0)
        text += QStringLiteral("<meta charset=\"%1\">\r\n").arg(QString::fromLatin1(charset));
    text += QStringLiteral("<title>%1</title>\r\n</head>\r\n<body>\r\n").arg(sentence(random));
    const QString end = QStringLiteral("<p>%1</p>\r\n</body>\r\n</html>\r\n").arg(lastLine);
    // Bulgarian letters take two bytes in UTF-8 and one in Windows-1251.
    const bool utf8 = qstricmp(charset, "utf-8") == 0;
    const auto encodedSize = [utf8](const QString& line) {
        return utf8 ? line.toUtf8().size() : line.size();
    };
    qsizetype size = encodedSize(text + end);
    for (int number = 1; size < bytes; ++number) {
        const QString line = paragraph(random, number) + u"\r\n"_qs;
        size += encodedSize(line);
        text += line;
    }
    return pagescan::encodeText(text + end, charset);
}

bool writeBulgarianCorpus(const QString& dir, int pages, qsizetype bytes, const QString& lastLine,
                          const char* charset) {
    for (int page = 0; page < pages; ++page) {
        QFile file(QDir(dir).filePath(QStringLiteral("page%1.htm").arg(page, 2, 10, QChar(u'0'))));
        const QByteArray content = bulgarianPage(quint32(page + 1), bytes, lastLine, charset);
        if (content.isEmpty() || !file.open(QIODevice::WriteOnly) ||
            file.write(content) != content.size())
            return false;
    }
    return true;
}
