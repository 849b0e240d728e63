#pragma once
// A rule window's tables on bare grids (no window): the frame of a window
// description over fresh column grids and a rule file in a temporary
// folder, with the message boxes recorded.

#include "core/ULanguage.h"
#include "platform/Paths.h"
#include "platform/XmlDoc.h"
#include "rules/can_mqtt/URuleFrame.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

class RuleTables {
public:
    RuleTables(TRuleWindowDesc desc, const std::string& fileName)
    {
        ULanguage::Load_Default_Lang();
        path = dir.file(fileName);
        std::vector<TExColumnGrid*> raw;
        for (size_t i = 0; i < desc.grids.size(); ++i) {
            grids.push_back(std::make_unique<TExColumnGrid>());
            raw.push_back(grids.back().get());
        }
        frame = std::make_unique<TRuleFrame>(std::move(desc), raw, [this] { return path; });
        frame->Setup();
        frame->Set_Lang();
        frame->Reset();
    }
    TExColumnGrid& G(int g = 0) { return *grids.at(static_cast<size_t>(g)); }
    void Fill(int g, int row, const std::vector<std::pair<int, std::string>>& cells)
    {
        for (const auto& [c, t] : cells) G(g).SetCellEx(c, row, t);
    }
    // The message of the first failing row; empty when every row passes.
    std::string Fault()
    {
        const auto f = frame->Validate();
        return f ? frame->Message(*f) : std::string();
    }
    std::string Written()
    {
        EXPECT_TRUE(frame->OK());
        return ReadFile(path);
    }

    TempDir dir;
    RecordingMessageBoxes boxes;
    std::vector<std::unique_ptr<TExColumnGrid>> grids;
    std::string path;
    std::unique_ptr<TRuleFrame> frame;
};
