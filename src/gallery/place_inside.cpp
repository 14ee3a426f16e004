#include "place_inside.h"

#include <QFrame>

namespace velsnap {

QRect placeInside(const QWidget *parent, const TwipsRect &rect)
{
    const auto *frame = qobject_cast<const QFrame *>(parent);
    const QPoint inner = frame ? frame->contentsRect().topLeft() : QPoint();
    return rect.toPixels().translated(inner);
}

} // namespace velsnap
