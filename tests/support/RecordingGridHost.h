#pragma once
// The window side of a grid, recording what the grid asks of it: repaints
// (all of them, and those of the whole window), the redraw switch.

#include "platform/Grids.h"

#include <vector>

class RecordingGridHost : public IGridHost {
public:
    bool HasWindow() const override { return true; }
    bool IsVisible() const override { return visible; }
    bool IsFocused() const override { return false; }
    void SetFocus() override {}
    TSize ClientSize() const override { return TSize{400, 250}; }
    void Invalidate(const TRect* r) override
    {
        ++invalidations;
        if (!r) ++fullRepaints;
    }
    void Update() override {}
    void SetRedraw(bool on) override { redraw.push_back(on); }
    void UpdateScrollBars(const TGridScrollInfo&, const TGridScrollInfo&) override {}
    void PostMessage(const TMessage&) override {}
    void SetTimer(int, int) override {}
    void KillTimer(int) override {}
    void SetCursor(TCursor) override {}
    void ShowEditorWindow(const TRect&) override {}
    void HideEditorWindow() override {}
    void FocusEditorWindow() override {}
    void EditorTextChanged() override {}

    bool visible = true;
    int invalidations = 0;
    int fullRepaints = 0;
    std::vector<bool> redraw;
};
