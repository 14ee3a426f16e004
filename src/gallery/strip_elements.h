#pragma once

#include "picture/picture_facts.h"

#include <QString>

// The two control arrays of the strip, element by element. Element 0 of each
// mirrors the layout's own widget; later elements are drawn by the container.
namespace velsnap {

// image1(n): a thumbnail, drawn from the file its picture was loaded from.
struct ThumbnailElement {
    double top = 0; // twips within the container
    bool visible = false;
    bool trashed = false; // its file went to the trash: the thumbnail says so, `picture` is empty
    QString picture;      // file name in the picture folder; empty: no picture
    PictureFacts facts;   // as the run that received it knew them; none for a kept picture
};

// lbl_filename(n): the file name under a thumbnail.
struct LabelElement {
    double top = 0; // twips within the container
    bool visible = false;
    QString caption;
    const QString &text() const { return caption; }
};

} // namespace velsnap
