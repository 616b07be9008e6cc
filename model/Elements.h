// Elements.h - every element class of a publication.

#pragma once

#include "Element.h"
#include "BasicShapes.h"
#include "LineElements.h"
#include "CalloutArrowShapes.h"
#include "DecorativeShapes.h"
#include "TextElements.h"
#include "PictureElements.h"
