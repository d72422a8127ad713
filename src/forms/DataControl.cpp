#include "DataControl.h"

#include "Controls.h"
#include "app/Artwork.h"
#include "platform/Accessibility.h"
#include "platform/Dialogs.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIconEngine>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPointer>
#include <QToolButton>

namespace corv {

namespace {

// The four navigation glyphs, drawn as vectors so they stay sharp at any
// scale: a bar and a triangle for first/last, a triangle for previous/next.
class NavIconEngine : public QIconEngine {
public:
    enum Glyph { First, Previous, Next, Last };
    explicit NavIconEngine(Glyph g) : m_glyph(g) {}

    void paint(QPainter *p, const QRect &rect, QIcon::Mode mode, QIcon::State) override {
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        // The engine is not told whose icon it paints: the program's palette
        // decides, so the glyphs show on dark buttons too.
        const QColor ink = Artwork::glyphInk(QGuiApplication::palette(), mode != QIcon::Disabled);
        p->setPen(Qt::NoPen);
        p->setBrush(ink);
        const qreal s = qMin(rect.width(), rect.height());
        const QRectF box(rect.x() + (rect.width() - s) / 2.0, rect.y() + (rect.height() - s) / 2.0,
                         s, s);
        const qreal top = box.top() + s * 0.2, bottom = box.bottom() - s * 0.2;
        const qreal mid = box.center().y();
        auto triangle = [&](qreal tipX, qreal baseX) {
            QPainterPath path;
            path.moveTo(tipX, mid);
            path.lineTo(baseX, top);
            path.lineTo(baseX, bottom);
            path.closeSubpath();
            p->drawPath(path);
        };
        const qreal l = box.left(), w = s;
        switch (m_glyph) {
        case First:
            p->drawRect(QRectF(l + w * 0.22, top, w * 0.1, bottom - top));
            triangle(l + w * 0.34, l + w * 0.76);
            break;
        case Previous:
            triangle(l + w * 0.28, l + w * 0.70);
            break;
        case Next:
            triangle(l + w * 0.72, l + w * 0.30);
            break;
        case Last:
            triangle(l + w * 0.66, l + w * 0.24);
            p->drawRect(QRectF(l + w * 0.68, top, w * 0.1, bottom - top));
            break;
        }
        p->restore();
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }
    QIconEngine *clone() const override { return new NavIconEngine(m_glyph); }

private:
    Glyph m_glyph;
};

QToolButton *navButton(QWidget *parent, NavIconEngine::Glyph g, const QString &name,
                       const QString &tip) {
    auto *b = new QToolButton(parent);
    // The glyph is all the button shows; a screen reader says its name.
    b->setAccessibleName(name);
    b->setIcon(QIcon(new NavIconEngine(g)));
    b->setToolTip(tip);
    b->setAutoRaise(false);
    b->setFocusPolicy(Qt::NoFocus);
    b->setIconSize(QSize(14, 14));
    b->setFixedSize(24, 22);
    return b;
}

} // namespace

DataControl::DataControl(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DataControl"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    // The record windows move by keyboard too; the tips say how.
    m_first =
        navButton(this, NavIconEngine::First, tr("First record"), tr("First record (Ctrl+Home)"));
    m_previous = navButton(this, NavIconEngine::Previous, tr("Previous record"),
                           tr("Previous record (Page Up)"));
    m_next = navButton(this, NavIconEngine::Next, tr("Next record"), tr("Next record (Page Down)"));
    m_last = navButton(this, NavIconEngine::Last, tr("Last record"), tr("Last record (Ctrl+End)"));
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("caption"));
    m_caption->setFrameShape(QFrame::StyledPanel);
    m_caption->setFrameShadow(QFrame::Sunken);
    m_caption->setMinimumHeight(22);
    m_caption->setContentsMargins(6, 0, 6, 0);
    m_caption->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // The record position is news whenever it changes: the keys that move
    // between records leave the focus in the box the user is in.
    announceChanges(m_caption);
    row->addWidget(m_first);
    row->addWidget(m_previous);
    row->addWidget(m_caption, 1);
    row->addWidget(m_next);
    row->addWidget(m_last);
    connect(m_first, &QToolButton::clicked, this, &DataControl::clickFirst);
    connect(m_previous, &QToolButton::clicked, this, &DataControl::clickPrevious);
    connect(m_next, &QToolButton::clicked, this, &DataControl::clickNext);
    connect(m_last, &QToolButton::clicked, this, &DataControl::clickLast);
}

DataControl::~DataControl() {
    // The owning window is going: no events now. Edits still pending are
    // stored; one that cannot be is not dropped without a word.
    onError = nullptr;
    onReposition = nullptr;
    onValidate = nullptr;
    if (const DbError e = storePending()) {
        // The engine's account of a text a field cannot take names its
        // fields and types; the user knows the boxes.
        const bool boxText = e.number == DbErr::ConversionError || e.number == DbErr::FieldTooSmall;
        msgBox(QStringLiteral("Unable to save the record: ") +
                   (boxText ? QStringLiteral("a box holds something its field cannot store.")
                            : e.description),
               MsgButtons::Ok, MsgIcon::Exclamation);
    }
}

QString DataControl::Caption() const {
    return m_caption->text();
}

void DataControl::setCaption(const QString &caption) {
    setLiveText(m_caption, caption);
}

void DataControl::bind(QLineEdit *box, const QString &field) {
    QPointer<QLineEdit> guard(box);
    // A box is shown a text only when it has another: no change is reported
    // for a text it has already.
    const int id = bindField(
        field, [guard] { return guard ? guard->text() : QString(); },
        [guard](const QString &text) {
            if (guard && guard->text() != text)
                guard->setText(text);
        });
    trackBox(box, id);
    connect(box, &QLineEdit::textChanged, this, [this, id] { fieldEdited(id); });
}

void DataControl::bind(QPlainTextEdit *box, const QString &field) {
    QPointer<QPlainTextEdit> guard(box);
    const int id = bindField(
        field, [guard] { return guard ? guard->toPlainText() : QString(); },
        [guard](const QString &text) {
            if (guard && guard->toPlainText() != text) {
                wrapForText(guard, text);
                guard->setPlainText(text);
            }
        });
    trackBox(box, id);
    connect(box, &QPlainTextEdit::textChanged, this, [this, id] { fieldEdited(id); });
}

void DataControl::trackBox(QWidget *box, int binding) {
    m_boxes.insert(box, binding);
    connect(box, &QObject::destroyed, this, [this, box, binding] {
        m_boxes.remove(box);
        unbindField(binding);
    });
}

bool DataControl::DataChanged(const QWidget *box) const {
    const auto it = m_boxes.constFind(box);
    return it != m_boxes.cend() && fieldChanged(*it);
}

void DataControl::unhandledError(const DbError &error) {
    msgBox(error.description, MsgButtons::Ok, MsgIcon::Exclamation);
}

QWidget *DataControl::boundBox(int binding) const {
    for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it)
        if (*it == binding)
            return const_cast<QWidget *>(it.key());
    return nullptr;
}

void DataControl::clickFirst() {
    if (!beforeMove || beforeMove())
        Recordset().MoveFirst();
}
void DataControl::clickPrevious() {
    if (!beforeMove || beforeMove())
        Recordset().MovePrevious();
}
void DataControl::clickNext() {
    if (!beforeMove || beforeMove())
        Recordset().MoveNext();
}
void DataControl::clickLast() {
    if (!beforeMove || beforeMove())
        Recordset().MoveLast();
}

} // namespace corv
