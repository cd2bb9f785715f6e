#pragma once

#include <QByteArray>

#include <iconv.h>

namespace pagescan {

// An iconv conversion from a named charset to code points, as wchar_t. glibc does this in a
// single step, so a rejected byte is reported where it stands, with the shift state just before
// it. Through a second step (to UTF-16, say) glibc would report an error that step finds by
// re-running the first from the start of the call: where a decoder resumes after a bad byte,
// and so the text that follows, would then depend on where the calls began.
class IconvToCodePoints {
public:
    static_assert(sizeof(wchar_t) == sizeof(char32_t), "wchar_t holds a whole code point");

    explicit IconvToCodePoints(const QByteArray& charset);
    ~IconvToCodePoints();
    IconvToCodePoints(const IconvToCodePoints&) = delete;
    IconvToCodePoints& operator=(const IconvToCodePoints&) = delete;

    // False when iconv does not know the charset.
    bool isValid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t handle() const { return handle_; }

    // Back to the initial shift state, forgetting anything half converted.
    void reset();

private:
    iconv_t handle_;
};

} // namespace pagescan
