#pragma once
// Text checks and conversions several windows share: IPv4 addresses with
// and without a port, KNX addresses, SNMP object identifiers, SNMPv3 user
// names, passwords and security levels, the decimal separator and a float
// conversion that respects it, the serial ports present and a few constants
// of this build's model. Plain functions without state; none of them reads
// outside the text it is given.

#include "platform/Classes.h"

#include <cstdint>
#include <memory>
#include <string>

namespace UComon {

// True when text (trimmed) is a dotted address whose four parts are numbers
// 0..255. The parts are set as far as the splitting got, also on false;
// without any "." nothing is touched.
bool Split_IP_Address(const std::string& text, std::string& a, std::string& b, std::string& c,
                      std::string& d);
// Error flag: true when the text is not a valid address. A bad part sets its
// byte to 0; an empty text leaves the bytes untouched.
bool IP_To_Bytes(const std::string& text, uint8_t& b1, uint8_t& b2, uint8_t& b3, uint8_t& b4);
// True when text is "a.b.c.d:port"; outputs are 0 unless everything holds.
bool IP_Port_To_Bytes(const std::string& text, uint8_t& b1, uint8_t& b2, uint8_t& b3, uint8_t& b4,
                      uint16_t& port);
// 0 valid, 1 not valid. Parts are trimmed whole numbers. Individual form
// (group false): area.line.device (15.15.255; 0.0.0 only with allowZero),
// no "/"; a text with exactly one "." passes without a test of its parts.
// Group form: main/sub (31/2047) or main/middle/sub (31/7/255), not all
// zero, no ".". Either form: a plain number 1..65535.
int Check_KNX_Address(const std::string& text, bool group, bool allowZero);
bool No_Dot_In_String(const std::string& text);
// 0 valid; 1 longer than 61; 2 bad character; 3 leading "."; 4 trailing ".";
// 5 two dots in a row; 6 an arc above 4294967295. An empty text is not an
// identifier: it gives 2.
int Check_OID(const std::string& text);
// 0 valid; 1 longer than 15; 2 too short (1 for a user, 8 for a password);
// 3 a character other than 0-9, A-Z, a-z.
int Check_SNMP_User_Pwd(const std::string& text, bool isUser);
// "AUTH NOPRIV" 1, "AUTH PRIV" 3, empty -1, anything else 0.
int Get_SNMP_Sec_Level(const std::string& text);
// The platform's decimal separator: "," or "." ("," for anything else).
char Get_Decimal_Separator();
// Replaces "," by "." (sep ".") or "." by "," (any other sep), then converts
// with the platform's decimal separator. On failure value := 1.0, false.
bool Str_To_Float_Sep(const std::string& text, char sep, float& value);
// The serial ports present: the numbers of "COMn" ports, or the system's
// port names where ports are not named "COM". Owned by the caller.
std::unique_ptr<TStringList> Get_COM_Ports();

inline int Get_BACnet_No_Units() { return 95; }
inline int Get_XML_Code_Dev() { return 18; }
inline int Get_Scan_Form_Type() { return 0; }
int Get_WiFi_IP_Users(std::string& names1, std::string& names2);

} // namespace UComon
