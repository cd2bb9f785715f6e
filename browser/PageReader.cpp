#include "browser/PageReader.h"

#include "browser/PageAccessible.h"
#include "toolkit/Accessibility.h"
#include "toolkit/Announcement.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QTextBoundaryFinder>
#include <QWebEngineScript>
#include <QWebEngineView>

namespace {

// Walks the document in reading order and returns its blocks: headings with
// their level, paragraphs, lists with their items, tables by rows of cells
// (header cells marked), figures by their pictures' descriptions and
// captions; each block with the links it holds, by their place among the page's links.
const char* const outlineScript = R"JS((function () {
  const links = Array.from(document.querySelectorAll('a[href]'));
  // The words as written, not as the style sheet shows them (upper case, say).
  const clean = s => (s || '').replace(/\s+/g, ' ').trim();
  const textOf = el => clean(el.textContent);
  const linksIn = el => Array.from(el.querySelectorAll('a[href]'))
      .map(a => ({t: textOf(a), u: a.getAttribute('href'), i: links.indexOf(a)}));
  const containers = /^(BODY|HEADER|MAIN|FOOTER|SECTION|ARTICLE|NAV|ASIDE|DIV|BLOCKQUOTE)$/;
  const ownText = el => Array.from(el.childNodes).some(n => n.nodeType === 3 && n.data.trim());
  const blocks = [];
  const walk = el => {
    for (const c of el.children) {
      const tag = c.tagName;
      if (/^(SCRIPT|STYLE|TEMPLATE)$/.test(tag) || getComputedStyle(c).display === 'none')
        continue;
      if (/^H[1-6]$/.test(tag)) {
        blocks.push({k: 'h', l: +tag[1], t: textOf(c), a: linksIn(c)});
      } else if (tag === 'UL' || tag === 'OL') {
        const items = Array.from(c.children).filter(li => li.tagName === 'LI');
        blocks.push({k: 'list', n: items.length});
        for (const li of items) blocks.push({k: 'li', t: textOf(li), a: linksIn(li)});
      } else if (tag === 'TABLE') {
        blocks.push({k: 'table', caption: c.caption ? textOf(c.caption) : '',
                     rows: Array.from(c.rows).map(r => Array.from(r.cells).map(
                         cell => ({t: textOf(cell), h: cell.tagName === 'TH'}))),
                     a: linksIn(c)});
      } else if (tag === 'FIGURE' || tag === 'IMG') {
        const alts = (tag === 'IMG' ? [c] : Array.from(c.querySelectorAll('img')))
            .map(i => clean(i.alt).replace(/\.$/, '')).filter(Boolean);
        const caption = c.querySelector && c.querySelector('figcaption');
        if (caption) alts.push(textOf(caption));
        if (alts.length) blocks.push({k: 'fig', t: alts.join('. '), a: linksIn(c)});
      } else if (containers.test(tag) && !ownText(c)) {
        walk(c);
      } else {
        const t = textOf(c);
        if (t) blocks.push({k: 'p', t: t, a: linksIn(c)});
      }
    }
  };
  if (document.body) walk(document.body);
  return blocks;
})())JS";

bool isAccessible() {
    return QAccessible::isActive();
}

// The view's own children, the widget with the page among them, instead of
// the engine's objects, which screen readers cannot read.
QAccessibleInterface* viewAccessible(const QString&, QObject* object) {
    auto* view = qobject_cast<QWebEngineView*>(object);
    return view ? new QAccessibleWidget(view, QAccessible::Client) : nullptr;
}

} // namespace

PageReader::PageReader(QWebEngineView& view) : QObject(&view), view_(view) {
    connect(&view, &QWebEngineView::loadFinished, this, [this](bool) {
        if (isAccessible())
            read();
    });
    // After the engine's own, which the view has just installed, so that it is
    // asked first; the engine's view may have been made already, while the view was.
    toolkit::installFactoryOnce(&viewAccessible);
    if (isAccessible())
        QAccessible::deleteAccessibleInterface(
            QAccessible::uniqueId(QAccessible::queryAccessibleInterface(&view)));
    QAccessible::installActivationObserver(this);
}

PageReader::~PageReader() {
    QAccessible::removeActivationObserver(this);
}

// A screen reader that starts while a page is shown hears that page too.
void PageReader::accessibilityActiveChanged(bool active) {
    if (active)
        read();
}

void PageReader::read() {
    const QUrl address = view_.url();
    view_.page()->runJavaScript(QString::fromLatin1(outlineScript),
                                QWebEngineScript::ApplicationWorld,
                                [self = QPointer(this), address](const QVariant& outline) {
                                    if (self)
                                        self->show(outline, address);
                                });
}

// The answer for a page that is no longer shown is dropped.
void PageReader::show(const QVariant& outline, const QUrl& address) {
    if (address != view_.url())
        return;
    reading_ = ReadingText::fromOutline(view_.title(), outline.toList());
    PageAccessible* page = document();
    if (!page)
        return;
    page->setReading(reading_);
    // The start page is laid out behind the splash: the focus its window takes tells it.
    if (view_.window()->testAttribute(Qt::WA_DontShowOnScreen))
        return;
    toolkit::announce(&view_, QStringLiteral("Заредена е страницата „%1“.").arg(view_.title()));
    if (surface_->hasFocus())
        page->focusLink(-1);
}

// The engine makes the widget that takes its keys anew when its renderer
// changes, and replaces that widget's screen-reader view when it shows it; the
// page's is put back each time it is asked for.
PageAccessible* PageReader::document() {
    QWidget* surface = view_.focusProxy();
    if (!surface)
        return nullptr;
    if (surface != surface_) {
        if (surface_)
            surface_->removeEventFilter(this);
        surface_ = surface;
        surface->installEventFilter(this);
    }
    QAccessibleInterface* current = QAccessible::queryAccessibleInterface(surface);
    if (auto* page = dynamic_cast<PageAccessible*>(current))
        return page;
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(current));
    auto* page = new PageAccessible(surface, [this](int index) { onLink(index, "click"); });
    QAccessible::registerAccessibleInterface(page);
    page->setReading(reading_);
    return page;
}

// The focus comes to the page's text; Qt tells screen readers after this event.
bool PageReader::eventFilter(QObject* watched, QEvent* event) {
    if (watched != surface_ || !isAccessible())
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn)
        document();
    else if (event->type() == QEvent::KeyPress && moveCaret(static_cast<QKeyEvent&>(*event)))
        return true;
    return QObject::eventFilter(watched, event);
}

// The caret moves by character, word, line, to a line's or the page's ends,
// and to the next or previous heading; other keys are the view's.
bool PageReader::moveCaret(const QKeyEvent& key) {
    PageAccessible* document = this->document();
    if (!document)
        return false;
    const ReadingText& reading = reading_;
    const QString& text = reading.text;
    const int caret = document->cursorPosition();
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    const bool control = modifiers == Qt::ControlModifier;
    const bool shift = modifiers == Qt::ShiftModifier;
    if (modifiers != Qt::NoModifier && !control &&
        !(shift && (key.key() == Qt::Key_H || key.key() == Qt::Key_Backtab)))
        return false;
    if ((key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) && !control) {
        focusLink(*document, key.key() == Qt::Key_Tab);
        return true;
    }
    // QString::lastIndexOf counts a negative start from the end.
    const auto lineStart = [&text](int at) {
        return at == 0 ? 0 : int(text.lastIndexOf(u'\n', at - 1)) + 1;
    };
    const auto lineEnd = [&text](int at) {
        const int end = int(text.indexOf(u'\n', at));
        return end < 0 ? int(text.size()) : end;
    };
    int to = caret;
    switch (key.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const bool forward = key.key() == Qt::Key_Right;
        if (!control) {
            to = std::clamp(caret + (forward ? 1 : -1), 0, int(text.size()));
            break;
        }
        QTextBoundaryFinder words(QTextBoundaryFinder::Word, text);
        words.setPosition(caret);
        do {
            to = int(forward ? words.toNextBoundary() : words.toPreviousBoundary());
        } while (to > 0 && !(words.boundaryReasons() & QTextBoundaryFinder::StartOfItem));
        to = to < 0 ? (forward ? int(text.size()) : 0) : to;
        break;
    }
    case Qt::Key_Up:
        to = caret > 0 && lineStart(caret) > 0 ? lineStart(lineStart(caret) - 1) : 0;
        break;
    case Qt::Key_Down:
        to = lineEnd(caret) < text.size() ? lineEnd(caret) + 1 : caret;
        break;
    case Qt::Key_Home:
        to = control ? 0 : lineStart(caret);
        break;
    case Qt::Key_End:
        to = control ? int(text.size()) : lineEnd(caret);
        break;
    case Qt::Key_H: {
        if (control)
            return false;
        int heading = -1;
        for (const int at : reading.headingStarts) {
            if (modifiers == Qt::ShiftModifier ? at < lineStart(caret) : at > caret) {
                heading = at;
                if (modifiers != Qt::ShiftModifier)
                    break;
            }
        }
        // H is no caret key to a screen reader, so the line it reaches is told.
        if (heading < 0) {
            toolkit::announce(&view_, QStringLiteral("Няма други заглавия."));
            return true;
        }
        document->setCursorPosition(heading);
        toolkit::announce(&view_, text.mid(heading, lineEnd(heading) - heading));
        return true;
    }
    default:
        return false;
    }
    // The reader reads on from a link it has tabbed to.
    if (document->focusedLink() >= 0)
        document->focusLink(-1);
    document->setCursorPosition(to);
    return true;
}

// Tab and Shift+Tab go from link to link of the reading text, from the caret,
// and give the page's own focus to the link, so that Enter follows it.
void PageReader::focusLink(PageAccessible& document, bool forward) {
    const QList<ReadingText::Link>& links = reading_.links;
    const int caret = document.cursorPosition();
    const int current = document.focusedLink();
    int to = -1;
    for (int position = 0; position < links.size(); ++position) {
        const int start = links.at(position).start;
        const bool after = current >= 0 ? position > current : start >= caret;
        const bool before = current >= 0 ? position < current : start < caret;
        if (forward ? after : before) {
            to = position;
            if (forward)
                break;
        }
    }
    if (to < 0) {
        toolkit::announce(&view_, QStringLiteral("Няма други връзки."));
        return;
    }
    document.setCursorPosition(links.at(to).start);
    document.focusLink(to);
    onLink(links.at(to).index, "focus");
}

// The page's own click or focus on its link, as the reader's mouse or Tab would give.
void PageReader::onLink(int index, const char* method) {
    view_.page()->runJavaScript(QStringLiteral("document.querySelectorAll('a[href]')[%1]?.%2()")
                                    .arg(index)
                                    .arg(QLatin1String(method)),
                                QWebEngineScript::ApplicationWorld);
}
