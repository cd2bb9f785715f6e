#include "search/scan/IconvToUtf16.h"

#include <QSysInfo>

namespace pagescan {

IconvToUtf16::IconvToUtf16(const QByteArray& charset)
    : handle_(iconv_open(QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE",
                         charset.constData())) {}

IconvToUtf16::~IconvToUtf16() {
    if (isValid())
        iconv_close(handle_);
}

void IconvToUtf16::reset() {
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
}

} // namespace pagescan
