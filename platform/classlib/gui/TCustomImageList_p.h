// Private to the GUI layer; may change without notice.
#pragma once

#include <vector>

#include <QPixmap>

#include "TCustomImageList.h"

struct TCustomImageList::Data {
  int width = 16;
  int height = 16;
  std::vector<QPixmap> images;
};

// The picture at Index of the list, or a null pixmap when there is no list or no such picture.
QPixmap ImageListPixmap(const TCustomImageList* list, int index);
