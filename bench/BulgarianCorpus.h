#pragma once

#include <QByteArray>
#include <QString>

// Pages that look like the encyclopedia's: Bulgarian prose about computers with HTML markup,
// commas and CR LF line ends, to time the scan on.

// One page of about bytes bytes in charset, "windows-1251" (undeclared, as most of the
// encyclopedia's pages) or "utf-8" (declared in a meta tag), whose last line is lastLine. The
// same seed gives the same page.
QByteArray bulgarianPage(quint32 seed, qsizetype bytes, const QString& lastLine,
                         const char* charset);

// Writes pages such pages, page00.htm on, into dir; false when a file cannot be written.
bool writeBulgarianCorpus(const QString& dir, int pages, qsizetype bytes, const QString& lastLine,
                          const char* charset);
