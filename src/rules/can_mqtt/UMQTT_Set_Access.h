#pragma once
// The MQTT access rules window: publish and subscribe rules that tie the
// topics of the MQTT topic file to positions of the internal data array,
// kept in "MQTT_Set_Access.xml" (root "MQTT_Set_Access", sections
// "MQTT_Publish" and "MQTT_Subscribe"). A rule stores its topic as the
// topic's 0-based position in the same section of the topic file.

#include "rules/can_mqtt/URuleWindow.h"

#include <functional>
#include <string>

// The topics of the topic file as the window read them at its showing.
struct TAccessTopics {
    TStringList Topic_Pub;
    TStringList Topic_Sub;

    // Position of the first topic equal to the text (exact, case-sensitive), -1 when none.
    int Topic_Pub_from_String_to_Index(const std::string& topic) const;
    int Topic_Sub_from_String_to_Index(const std::string& topic) const;
    // The topic at that position; empty outside the list.
    std::string Topic_Pub_from_Index_to_String(int index) const;
    std::string Topic_Sub_from_Index_to_String(int index) const;

    // Reads the "Topic" of every row of both sections of the topic file; a
    // missing or unreadable file, section or attribute gives no or empty topics.
    void Load(const std::string& topicFile);
};

// Real columns of both grids.
namespace Access_Col {
constexpr int Enable = 1, Topic = 2, Data_Type = 3, Dimension = 4, Position = 5, Template = 6, Mnemonic = 7;
}

// The window's tables over the topic lists; the topic file is read at
// every showing from topicFile.
TRuleWindowDesc MQTT_Set_Access_Desc(TAccessTopics& topics, std::function<std::string()> topicFile);

// True when OK would leave out rows that hold something (a rule whose topic
// no longer resolves ends the saved rows, and every rule below it goes).
bool Access_Would_Drop_Rows(TRuleFrame& frame);

// Before the window's save: true when nothing would be left out, or when
// the user agreed to leave it out (the question below, Yes and No).
bool Access_Confirm_Save(TRuleFrame& frame);

// The question asked before such a save (Yes saves, No keeps the window open).
inline constexpr const char* Msg_Access_Drop_Rows =
    "Some rules have no topic (their topic is not in the MQTT topic file any more). These rules and all the "
    "rules below them will not be saved. Save all the same?";

class TFMQTT_Set_Access : public TRuleWindow {
public:
    TFMQTT_Set_Access();

    TExTabSheet* TS_MQTT_Publish;
    TExTabSheet* TS_MQTT_Subscribe;
    TExColumnGrid* ECG_Pub;
    TExColumnGrid* ECG_Sub;
    // The topics of the topic file at the last showing.
    TAccessTopics Topics;

    // Opens the template editor on a cell; on OK the cell takes its text.
    void Show_Form_Topic(TExColumnGrid* grid, int row, int col);

protected:
    bool Before_Save() override { return Access_Confirm_Save(Frame()); }
    // Header auto-size, then the template editor on a Template cell.
    void DblClickCell(int g, int row, int col) override;
};

inline TFMQTT_Set_Access* FMQTT_Set_Access = nullptr;
