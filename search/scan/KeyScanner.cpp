#include "search/scan/KeyScanner.h"

#include "search/scan/CharsetPlan.h"
#include "search/scan/DeclaredCharset.h"
#include "search/scan/IconvDecoder.h"
#include "search/scan/PageFile.h"
#include "search/scan/PageScans.h"
#include "search/scan/Utf16Key.h"

namespace pagescan {

KeyScanner::KeyScanner(const QString& key, qint64 chunkBytes)
    : key_(key), chunkBytes_(qMax<qint64>(1, chunkBytes)),
      utf16Key_(std::make_unique<Utf16Key>(key)) {}

KeyScanner::~KeyScanner() = default;

const CharsetPlan& KeyScanner::planFor(const QByteArray& declaredCharset) {
    std::shared_ptr<const CharsetPlan>& plan = plans_[declaredCharset];
    if (!plan)
        plan = std::make_shared<const CharsetPlan>(planCharset(declaredCharset, key_));
    return *plan;
}

bool KeyScanner::pageContainsKey(const QString& path) {
    if (key_.isEmpty())
        return false;
    const PageFile page(path);
    if (!page.isOpen())
        return false;
    char head[CharsetDeclarationBytes];
    const qint64 headSize = page.readAt(0, head, sizeof head);
    if (headSize < 0)
        return false;
    const DeclaredCharset declared = declaredCharset(QByteArrayView(head, headSize));
    const CharsetPlan& plan = planFor(declared.name);
    switch (plan.method) {
    case CharsetPlan::Method::SingleByte:
        return singleBytePageContains(page, declared.bomLength, *plan.byteKey, chunkBytes_,
                                      byteWindow_);
    case CharsetPlan::Method::Decode: {
        IconvDecoder decoder(plan.charset);
        return decoder.isValid() &&
               decodedPageContains(page, declared.bomLength, decoder, *utf16Key_, chunkBytes_,
                                   chunk_, utf16Window_);
    }
    case CharsetPlan::Method::Skip:
        return false;
    }
    return false;
}

} // namespace pagescan
