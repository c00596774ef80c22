#include "KeyMapping.h"

#include "KeyEvent.h"

#include <Qt>

int mapQtKey(int qtKey) {
    using Kestro::KeyEvent;
    if (qtKey >= 32 && qtKey <= 96) return qtKey;
    switch (qtKey) {
    case Qt::Key_Return: return KeyEvent::EKeyReturn;
    case Qt::Key_Backspace: return KeyEvent::EKeyBackspace;
    case Qt::Key_Left: return KeyEvent::EKeyLeft;
    case Qt::Key_Right: return KeyEvent::EKeyRight;
    case Qt::Key_Up: return KeyEvent::EKeyUp;
    case Qt::Key_Down: return KeyEvent::EKeyDown;
    default: return KeyEvent::EKeyOther;
    }
}
