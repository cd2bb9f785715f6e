#include "search/scan/IconvToCodePoints.h"

namespace pagescan {

IconvToCodePoints::IconvToCodePoints(const QByteArray& charset)
    : handle_(iconv_open("WCHAR_T", charset.constData())) {}

IconvToCodePoints::~IconvToCodePoints() {
    if (isValid())
        iconv_close(handle_);
}

void IconvToCodePoints::reset() {
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
}

} // namespace pagescan
