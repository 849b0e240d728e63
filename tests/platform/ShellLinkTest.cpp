// The shell opens web and mail links only; whatever else reaches it (a
// local file planted in a text, another scheme) is refused before any
// handler sees it.
#include "platform/Controls.h"
#include "platform/Shell.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(ShellLinks, OnlyWebAndMailLinksAreOpened)
{
    struct Case {
        const char* target;
        bool opened;
    } cases[] = {
        {"http://www.example.com/HOME/default.asp?frompg=QS41010", true},
        {"https://www.example.com/Home/download/download.asp#QG41010", true},
        {"HTTPS://WWW.EXAMPLE.COM/", true},
        {"mailto:support@example.com", true},
        {"file:///etc/passwd", false},
        {"FILE:///etc/passwd", false},
        {"/etc/passwd", false},
        {"passwd", false},
        {"www.example.com", false},
        {"javascript:alert(1)", false},
        {"ftp://example.com/x", false},
        {"smb://server/share", false},
        {"http:/etc/passwd", false},
        {"http:///etc/passwd", false},
        {"mailto:", false},
        {"", false},
    };
    std::vector<std::string> seen;
    const TShellOpener previous = SetShellOpener([&](const std::string& t) {
        seen.push_back(t);
        return true;
    });
    for (const Case& c : cases) {
        seen.clear();
        EXPECT_EQ(ShellLinkAllowed(c.target), c.opened) << c.target;
        EXPECT_EQ(ShellOpen(c.target), c.opened) << c.target;
        EXPECT_EQ(seen.size(), c.opened ? 1u : 0u) << c.target;
    }
    SetShellOpener(previous);
}

// Text escaped for a marked-up caption shows as it is: no tag, no link.
TEST(ShellLinks, EscapedTextHoldsNoLink)
{
    EXPECT_EQ(HtmlEscape("<a href=\"file:///x\">'A' & B</a>"),
              "&lt;a href=&quot;file:///x&quot;&gt;&#39;A&#39; &amp; B&lt;/a&gt;");
    EXPECT_EQ(HtmlEscape("No Update Available"), "No Update Available");
}
