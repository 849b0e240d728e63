#pragma once
// A window whose size a control can follow: the control adds a resize
// handler (heard after every change of the window's size) and removes it
// again when it goes, so that such controls may go in any order. A window
// that goes first tells the controls still listening (their gone handler),
// so that they never call back into it.

#include <functional>

class TObject;

class IGridOwnerForm {
public:
    virtual ~IGridOwnerForm() = default;
    virtual int FormWidth() const = 0;
    virtual int FormHeight() const = 0;
    // Returns a key for RemoveResizeHandler.
    virtual int AddResizeHandler(std::function<void(TObject* Sender)> handler) = 0;
    virtual void RemoveResizeHandler(int key) = 0;
    // Called once when the window is destroyed while the handler of key is
    // still registered. Windows that tell their listeners another way (a
    // component's free notification) need not keep it.
    virtual void SetFormGoneHandler(int /*key*/, std::function<void()> /*gone*/) {}
};
