#pragma once
// Meters on a wired M-Bus, as the scan tests' stand-ins see them: each
// answers SND_NKE, the application reset and REQ_UD2 at its primary
// address (or on 253 while selected), a selection by secondary address
// selects the meters whose identification matches, and several meters
// answering at once give garbage.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class TMeterBus {
public:
    using Bytes = std::vector<std::uint8_t>;

    // A long frame (C 08, CI 72) from a meter with the given address and
    // identification, manufacturer KAM, version 1, medium 7, around records.
    static Bytes Long_Frame(int primary, std::uint32_t identification, const Bytes& records)
    {
        Bytes body = {0x08, static_cast<std::uint8_t>(primary), 0x72};
        for (int i = 0; i < 4; ++i) body.push_back(static_cast<std::uint8_t>(identification >> (8 * i)));
        const Bytes tail = {0x2D, 0x2C, 0x01, 0x07, 0x55, 0x00, 0x00, 0x00};
        body.insert(body.end(), tail.begin(), tail.end());
        body.insert(body.end(), records.begin(), records.end());
        Bytes f = {0x68, static_cast<std::uint8_t>(body.size()), static_cast<std::uint8_t>(body.size()), 0x68};
        f.insert(f.end(), body.begin(), body.end());
        unsigned cs = 0;
        for (std::uint8_t b : body) cs += b;
        f.push_back(static_cast<std::uint8_t>(cs));
        f.push_back(0x16);
        return f;
    }

    // identification: the BCD digits as written (0x12345678 is "12345678");
    // frames: full long frames, answered in turn.
    void Add_Meter(int primary, std::uint32_t identification, std::vector<Bytes> frames)
    {
        Meter m;
        m.Primary = primary;
        m.Identification = identification;
        m.Frames = std::move(frames);
        meters_.push_back(std::move(m));
    }
    // Answers a collision with this many garbage bytes (3 at start).
    void Set_Collision_Size(std::size_t n) { collisionSize_ = n; }
    // A selection that no meter matches is answered with garbage too, as on
    // a shorted or disturbed bus.
    void Set_Noisy(bool on) { noisy_ = on; }

    // The bus's answer to one M-Bus frame; False when nobody answers. A
    // selection nobody matches is answered "NO_SLAVE\n\r" when noSlaveText
    // (the gateway does that) and not at all otherwise.
    bool Answer(const Bytes& r, Bytes& reply, bool noSlaveText)
    {
        // Short frame 10 C A CS 16.
        if (r.size() == 5 && r[0] == 0x10 && r[4] == 0x16) {
            const std::uint8_t c = r[1], a = r[2];
            if (c == 0x40) {  // SND_NKE
                int answered = 0;
                for (Meter& m : meters_)
                    if (a == 255 || (a == 253 ? m.Selected : m.Primary == a)) {
                        m.Last = -1;
                        m.LastFcb = -1;
                        if (a == 253) m.Selected = false;
                        ++answered;
                    }
                if (a == 255 || answered == 0) return false;
                reply = answered == 1 ? Bytes{0xE5} : Collision();
                return true;
            }
            if ((c & 0xCF) == 0x4B) {  // REQ_UD2, either frame-count bit
                std::vector<Meter*> who;
                for (Meter& m : meters_)
                    if (a == 253 ? m.Selected : m.Primary == a) who.push_back(&m);
                if (who.empty()) return false;
                reply = who.size() == 1 ? Next_Frame(*who.front(), c) : Collision();
                return true;
            }
            return false;
        }
        // Long frames 68 L L 68 C A CI ...
        if (r.size() >= 9 && r[0] == 0x68 && r[3] == 0x68) {
            const std::uint8_t a = r[5], ci = r[6];
            if (ci == 0x52 && r.size() == 17) {  // selection by secondary address
                int matched = 0;
                for (Meter& m : meters_) {
                    m.Selected = Digits_Match(m.Identification, &r[7]);
                    matched += m.Selected;
                }
                if (matched == 0 && !noSlaveText && !noisy_) return false;
                reply = matched == 1                ? Bytes{0xE5}
                        : matched == 0 && !noisy_ ? Text("NO_SLAVE\n\r")
                                                    : Collision();
                return true;
            }
            if (ci == 0x50) {  // application reset
                int answered = 0;
                for (Meter& m : meters_) answered += a == 255 || (a == 253 ? m.Selected : m.Primary == a);
                if (a == 255 || answered == 0) return false;
                reply = answered == 1 ? Bytes{0xE5} : Collision();
                return true;
            }
        }
        return false;
    }

    static Bytes Text(const char* s) { return Bytes(s, s + std::strlen(s)); }

private:
    struct Meter {
        int Primary = 0;
        std::uint32_t Identification = 0;
        std::vector<Bytes> Frames;
        int Last = -1;     // frame last sent
        int LastFcb = -1;  // frame-count bit of the last request
        bool Selected = false;
    };

    static bool Digits_Match(std::uint32_t id, const std::uint8_t* sel)
    {
        for (int byte = 0; byte < 4; ++byte)
            for (int nib = 0; nib < 2; ++nib) {
                const unsigned want = (sel[byte] >> (4 * nib)) & 0x0F;
                const unsigned have = (id >> (8 * byte + 4 * nib)) & 0x0F;
                if (want != 0x0F && want != have) return false;
            }
        return true;
    }

    // A toggled frame-count bit asks for the next frame, the same bit for
    // the last one again.
    static Bytes Next_Frame(Meter& m, std::uint8_t c)
    {
        const int fcb = (c >> 5) & 1;
        if (m.Last < 0 || fcb != m.LastFcb) m.Last = (m.Last + 1) % static_cast<int>(m.Frames.size());
        m.LastFcb = fcb;
        return m.Frames[static_cast<std::size_t>(m.Last)];
    }

    Bytes Collision() const
    {
        Bytes b(collisionSize_, 0x3A);
        if (!b.empty()) b[0] = 0xE5;
        return b;
    }

    std::vector<Meter> meters_;
    std::size_t collisionSize_ = 3;
    bool noisy_ = false;
};
