#pragma once
// Everything for drawing: colours, fonts, pens, brushes, canvases and bitmaps.
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Colors.h"
#include "framework/Font.h"
