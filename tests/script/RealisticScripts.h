#pragma once

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <random>
#include <string>

// Script files shaped like working ones of the whole language family, written from
// scratch: globals of many types, every script type, return types, the later games'
// parameter lists, stubs replaced by statics, names of up to 32 characters in mixed case,
// calls to names in no list, block comments holding whole forms (repeated names
// included), comments between forms, tabs and spaces, deep nesting, strings holding
// parentheses and semicolons, LF or mixed line ends.
class RealisticScripts
{
public:
    struct File
    {
        std::u16string text;
        int declarations = 0; // scripts and globals, stubs and the statics replacing them
    };

    static File write(std::uint64_t seed, int scripts, bool mixedLineEnds)
    {
        RealisticScripts w(seed);
        w.m_mixed = mixedLineEnds;
        w.line("; " + w.pick(Notes));
        for (int n = 0; n < scripts; ++n)
            w.item(n);
        return {std::u16string(w.m_text.begin(), w.m_text.end()), w.m_declarations};
    }

private:
    explicit RealisticScripts(std::uint64_t seed) : m_random(std::uint_fast32_t(seed)) {}

    static constexpr const char* Notes[] = {"wait for the player", "second wave (optional)",
                                            "old timing; see below", "do not touch"};
    static constexpr const char* Types[] = {"short", "boolean", "real", "long",  "object_list",
                                            "ai",    "string",  "unit", "object"};
    static constexpr const char* Calls[] = {
        "ai_place",         "object_create", "unit_enter_vehicle",
        "device_set_power", "player0",       "f_music_start",
        "cs_go_to",         "print",         "game_save"};

    int roll(int sides) { return int(m_random() % unsigned(sides)); }
    template <std::size_t N> std::string pick(const char* const (&list)[N])
    {
        return list[roll(int(N))];
    }

    void line(const std::string& body, int depth = 0)
    {
        m_text += std::string(depth, roll(4) == 0 ? ' ' : '\t') + body;
        m_text += m_mixed && roll(3) == 0 ? "\r\n" : "\n";
    }

    // A name like those level designers write, up to 32 characters.
    std::string name(int n)
    {
        static constexpr const char* Parts[] = {"enc", "Bridge", "hog",  "wave", "cortana",
                                                "lz",  "Cov",    "door", "x"};
        std::string name = pick(Parts) + "_" + pick(Parts) + "_" + std::to_string(n);
        if (roll(6) == 0)
            name = "m_exactly_thirty_two_chars_" + std::to_string(10000 + n); // 32
        return name;
    }

    std::string value()
    {
        static constexpr const char* Values[] = {"-30", "0.5", "\"text (with; parens)\"", "none"};
        return roll(4) == 0 ? "(" + pick(Calls) + " 2)" : pick(Values);
    }

    void body(int depth, int deepest)
    {
        if (depth >= deepest || roll(3) == 0) {
            line("(" + pick(Calls) + " " + value() + ")", depth);
            return;
        }
        switch (roll(4)) {
        case 0:
            line("(sleep_until (volume_test_objects trig_1 (players)) 5)", depth);
            return;
        case 1:
            line("(cond", depth);
            line("((= s_wave 1) (wake " + name(roll(50)) + "))", depth + 1);
            line("(true (begin", depth + 1);
            body(depth + 2, deepest);
            line("))", depth + 1);
            line(")", depth);
            return;
        default:
            line(std::string("(") + (roll(2) == 0 ? "if" : "begin") + " (" + pick(Calls) + ")",
                 depth);
            for (int n = 1 + roll(2); n > 0; --n)
                body(depth + 1, deepest);
            line(")", depth);
        }
    }

    void script(const std::string& head, int deepest)
    {
        line("(script " + head);
        for (int n = 1 + roll(3); n > 0; --n)
            body(1, deepest);
        line(")");
        ++m_declarations;
    }

    void item(int n)
    {
        const std::string name = this->name(n);
        const int deepest = 2 + roll(roll(10) == 0 ? 40 : 6);
        switch (roll(10)) {
        case 0:
        case 1:
            line("(global " + pick(Types) + " " + name + " " + value() + ")");
            ++m_declarations;
            break;
        case 2: // put aside, names and all
            line(";*");
            line("(script dormant " + this->name(n > 0 ? n - 1 : 0));
            body(1, deepest);
            line(")*;");
            break;
        case 3: // declared as a stub, written out later in the file
            line("(script stub " + pick(Types) + " " + name + " (sleep 0))");
            ++m_declarations;
            script("static " + pick(Types) + " " + (roll(2) ? name : upper(name)), deepest);
            break;
        case 4:
            script("static void " + (roll(2) ? "(" + name + " (ai squad) (short count))" : name),
                   deepest);
            break;
        case 5:
            script("static " + pick(Types) + " (" + name + " (object_list who))", deepest);
            break;
        case 7:
            script("static " + name + " (begin (wake enc_" + std::to_string(n) + "))", 2);
            break;
        case 6:
            script("command_script " + name, deepest);
            break;
        default:
            static constexpr const char* Kinds[] = {"dormant ", "continuous ", "startup "};
            script(pick(Kinds) + name, deepest);
        }
        if (roll(5) == 0)
            line("; " + pick(Notes));
        if (roll(4) == 0)
            line("");
    }

    static std::string upper(std::string name)
    {
        std::ranges::transform(name, name.begin(), [](char c) { return std::toupper(c); });
        return name;
    }

    std::string m_text;
    std::minstd_rand m_random; // a fixed sequence: every run writes the same scripts
    bool m_mixed = false;
    int m_declarations = 0;
};
