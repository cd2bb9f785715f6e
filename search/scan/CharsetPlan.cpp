#include "search/scan/CharsetPlan.h"

#include "search/scan/IconvToCodePoints.h"
#include "search/scan/SingleByteCharset.h"

namespace pagescan {

namespace {

const QByteArray DefaultCharset = "windows-1251";

} // namespace

CharsetPlan planCharset(const QByteArray& declared, const QString& key) {
    if (key.isEmpty())
        return {};
    const QByteArray charset =
        declared.isEmpty() || !IconvToCodePoints(declared).isValid() ? DefaultCharset : declared;
    CharsetPlan plan;
    plan.charset = charset;
    if (const std::optional<SingleByteCharset> bytes = SingleByteCharset::load(charset)) {
        plan.byteKey = ByteKey::fold(key, *bytes);
        plan.method = plan.byteKey ? CharsetPlan::Method::SingleByte : CharsetPlan::Method::Skip;
    } else if (IconvToCodePoints(charset).isValid()) {
        plan.method = CharsetPlan::Method::Decode;
    }
    return plan;
}

} // namespace pagescan
