// Marking from the operand stack for a full collection: the slots that a frame's layout
// describes are followed precisely, every other slot up to the top conservatively.
#pragma once

#include "Marker.h"
#include "OperandStackView.h"

void markFromOperandStack(Marker& marker, const OperandStackView& stack);
