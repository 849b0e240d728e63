#pragma once
// Private to the platform layer: the Qt side of the controls.

#include "platform/Controls.h"
#include "platform/GraphicsQt.h"

#include <QObject>
#include <QWidget>

#include <optional>
// Key event of Qt as the class library's virtual key code (0 when none).
int ToVirtualKey(int qtKey);
TShiftState ToShift(Qt::KeyboardModifiers m);

struct TControl::Impl {
    std::optional<TFont> font;   // own font; empty: the parent's
    mutable TFont fontCache;     // returned by Font() when not set
    QObject* hook = nullptr;
};

// Watches a control's widget and turns Qt events into the control's events.
class ControlHook : public QObject {
public:
    explicit ControlHook(TControl* control) : control_(control) {}
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Filter(QObject* watched, QEvent* event);
    TControl* control_;
    bool pressed_ = false;
};
