#pragma once

#include "geometry/twips.h"

#include <QRect>

class QWidget;

namespace velsnap {

// The pixel rectangle of a layout rectangle inside `parent`'s inner area
// (within its border, for a framed parent).
QRect placeInside(const QWidget *parent, const TwipsRect &rect);

} // namespace velsnap
