// How description values look on the screen: colours, fonts, rectangles,
// pictures and the style, for code that needs several of them.
#pragma once

#include "forms/colours.h"
#include "forms/fonts.h"
#include "forms/geometry.h"
#include "forms/pictures.h"
#include "forms/style.h"
