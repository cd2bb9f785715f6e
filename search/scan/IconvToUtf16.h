#pragma once

#include <QByteArray>

#include <iconv.h>

namespace pagescan {

// An iconv conversion from a named charset to UTF-16 in the host's byte order, so its output
// can be read as char16_t directly.
class IconvToUtf16 {
public:
    explicit IconvToUtf16(const QByteArray& charset);
    ~IconvToUtf16();
    IconvToUtf16(const IconvToUtf16&) = delete;
    IconvToUtf16& operator=(const IconvToUtf16&) = delete;

    // False when iconv does not know the charset.
    bool isValid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t handle() const { return handle_; }

    // Back to the initial shift state, forgetting anything half converted.
    void reset();

private:
    iconv_t handle_;
};

} // namespace pagescan
