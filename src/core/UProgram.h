#pragma once
// Services of the program that any window may use: the maker's web host and
// starting an outside program (the updater) and waiting for it.

#include <string>

// The maker's web host: shown by L_Quembo and the About window, in the
// main caption, in the links to the home page and in the updater's job.
inline constexpr const char* Maker_Web_Host = "www.example.com";

namespace UProgram {

// Runs NomeSW with Parameter (hidden when tipo) and waits until it ends,
// polling every 10 ms, at most limitMs; the program is never ended.
// False when the program could not be started (nothing was waited for).
bool Start_Program(const std::string& NomeSW, const std::string& Parameter, bool tipo, int limitMs = 150000);

} // namespace UProgram
