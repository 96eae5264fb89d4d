#include "settings/setup_style.h"

#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

namespace {

const QColor kButtonFrame(0, 60, 116);
const QColor kButtonFace(244, 244, 240);
const QColor kBoxFrame(28, 81, 128);
const QColor kBoxHighlight(33, 161, 33);
const QColor kPageFlat(145, 155, 156);
const QColor kHotTrack(255, 199, 60);

// Tabs along the left edge are this wide, captions written across them.
constexpr int kSideTabWidth = 63;
constexpr int kSideTabHeight = 26;
constexpr int kCorner = 5;

bool IsSideTab(const QStyleOption* option)
{
    const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option);
    return tab && (tab->shape == QTabBar::RoundedWest || tab->shape == QTabBar::TriangularWest);
}

// The outline of a tab on the left edge: the two outer corners cut off, open towards the page.
QPainterPath SideTabPath(const QRectF& r)
{
    QPainterPath path;
    path.moveTo(r.right() + 1, r.top());
    path.lineTo(r.left() + kCorner, r.top());
    path.lineTo(r.left(), r.top() + kCorner);
    path.lineTo(r.left(), r.bottom() - kCorner);
    path.lineTo(r.left() + kCorner, r.bottom());
    path.lineTo(r.right() + 1, r.bottom());
    return path;
}

// A square or round indicator with its frame; hovering doubles the frame in the highlight colour.
void DrawIndicator(QPainter* painter, const QStyleOption* option, bool round)
{
    const bool enabled = option->state & QStyle::State_Enabled;
    const bool hot = enabled && (option->state & QStyle::State_MouseOver);
    const QRectF box = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, round);
    painter->setBrush(enabled ? QColor(Qt::white) : option->palette.color(QPalette::Window));
    painter->setPen(enabled ? kBoxFrame : option->palette.color(QPalette::Mid));
    if (round)
        painter->drawEllipse(box);
    else
        painter->drawRect(box);
    if (hot) {
        painter->setBrush(Qt::NoBrush);
        painter->setPen(kBoxHighlight);
        if (round)
            painter->drawEllipse(box.adjusted(1, 1, -1, -1));
        else
            painter->drawRect(box.adjusted(1, 1, -1, -1));
    }
    const QColor mark = enabled ? QColor(20, 20, 20) : option->palette.color(QPalette::Mid);
    if (round && (option->state & QStyle::State_On)) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(mark);
        const qreal inset = box.width() * 0.3;
        painter->drawEllipse(box.adjusted(inset, inset, -inset, -inset));
    } else if (!round && (option->state & (QStyle::State_On | QStyle::State_NoChange))) {
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->setPen(QPen(mark, qMax(1.5, box.width() / 7.0), Qt::SolidLine, Qt::RoundCap,
                             Qt::RoundJoin));
        const QRectF r = box.adjusted(3, 3, -3, -3);
        QPainterPath tick;
        tick.moveTo(r.left(), r.center().y());
        tick.lineTo(r.left() + r.width() * 0.4, r.bottom());
        tick.lineTo(r.right(), r.top());
        painter->drawPath(tick);
    }
    painter->restore();
}

// The settings dialog's style, on top of Fusion so that it looks the same on every desktop.
class SetupStyle : public QProxyStyle {
public:
    SetupStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        switch (element) {
        case PE_PanelButtonCommand: {
            const bool enabled = option->state & State_Enabled;
            const bool down = option->state & (State_Sunken | State_On);
            const bool hot = enabled && (option->state & State_MouseOver);
            const QRectF frame = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
            painter->save();
            painter->setBrush(down ? kButtonFace.darker(108) : kButtonFace);
            painter->setPen(enabled ? kButtonFrame : option->palette.color(QPalette::Mid));
            painter->drawRect(frame);
            if (hot) {
                painter->setBrush(Qt::NoBrush);
                painter->setPen(QPen(kHotTrack, 2));
                painter->drawRect(frame.adjusted(1.5, 1.5, -1.5, -1.5));
            }
            painter->restore();
            return;
        }
        case PE_FrameDefaultButton:
            return;  // the default button shows a heavier frame through PE_FrameButtonBevel
        case PE_IndicatorCheckBox:
            DrawIndicator(painter, option, false);
            return;
        case PE_IndicatorRadioButton:
            DrawIndicator(painter, option, true);
            return;
        case PE_FrameTabWidget:
            painter->save();
            painter->setPen(kPageFlat);
            painter->setBrush(option->palette.color(QPalette::Window));
            painter->drawRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5));
            painter->restore();
            return;
        default:
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        }
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        if (element == CE_TabBarTabShape && IsSideTab(option)) {
            const bool selected = option->state & State_Selected;
            const bool hot = (option->state & State_MouseOver) && (option->state & State_Enabled);
            QRectF r = QRectF(option->rect).adjusted(0.5, 1.5, -0.5, -1.5);
            if (!selected)
                r.adjust(3, 0, 0, 0);  // the chosen tab stands out towards the left
            painter->save();
            painter->setRenderHint(QPainter::Antialiasing);
            const QPainterPath path = SideTabPath(r);
            QColor fill = option->palette.color(QPalette::Window);
            if (!selected)
                fill = fill.darker(106);
            if (hot)
                fill = kHotTrack.lighter(135);
            painter->fillPath(path, fill);
            painter->setPen(selected || hot ? kHotTrack.darker(115) : kPageFlat);
            painter->drawPath(path);
            painter->restore();
            return;
        }
        if (element == CE_TabBarTabLabel && IsSideTab(option)) {
            const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option);
            QRect r = tab->rect.adjusted(3, 0, 0, 0);
            painter->save();
            QFont font = painter->font();
            font.setBold(option->state & State_Selected);
            painter->setFont(font);
            drawItemText(painter, r, Qt::AlignCenter | Qt::TextShowMnemonic, tab->palette,
                         tab->state & State_Enabled, tab->text, QPalette::WindowText);
            painter->restore();
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override
    {
        if (type == CT_TabBarTab && IsSideTab(option))
            return QSize(kSideTabWidth, kSideTabHeight);
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }
};

void SetStyleOnTree(QWidget* widget, QStyle* style)
{
    widget->setStyle(style);
    for (QObject* child : widget->children())
        if (auto* childWidget = qobject_cast<QWidget*>(child))
            SetStyleOnTree(childWidget, style);
}

}  // namespace

void ApplySetupStyle(QWidget* dialog)
{
    auto* style = new SetupStyle;
    style->setParent(dialog);
    // A widget's style does not pass to its children, so the whole built tree gets it.
    SetStyleOnTree(dialog, style);
}
