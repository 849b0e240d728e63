#pragma once
// The serial ports present on this machine.

#include <string>
#include <vector>

// System names of the serial ports present ("COM3" on Windows, "ttyUSB0"
// elsewhere), as the platform lists them.
std::vector<std::string> ListSerialPortNames();
