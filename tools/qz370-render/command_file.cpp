#include "command_file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace qz370::commands {

namespace {

struct Syntax {
    const char *word;
    Op op;
    int numbers;
};

constexpr Syntax SYNTAX[] = {
    {"canvas", Op::Canvas, 4}, {"erase", Op::Erase, 0},  {"triangle", Op::Triangle, 8},
    {"rectangle", Op::Rectangle, 6}, {"oval", Op::Oval, 6}, {"line", Op::Line, 6},
    {"pixel", Op::Pixel, 3},   {"text", Op::Text, 4},    {"save", Op::Save, 0},
};

std::string unescape(const std::string &s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x') {
            out += static_cast<char>(std::strtol(s.substr(i + 2, 2).c_str(), nullptr, 16));
            i += 3;
        } else if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == '\\') {
            out += '\\';
            ++i;
        } else {
            out += s[i];
        }
    }
    return out;
}

// Reads 'count' decimal integers that fit in an int; false otherwise.
bool read_numbers(std::istringstream &in, int count, int *numbers) {
    for (int i = 0; i < count; ++i) {
        long long value = 0;
        if (!(in >> value) || value < INT32_MIN || value > INT32_MAX) return false;
        numbers[i] = static_cast<int>(value);
    }
    return true;
}

const Syntax *syntax_of(const std::string &word) {
    for (const Syntax &s : SYNTAX)
        if (word == s.word) return &s;
    return nullptr;
}

bool colour_ok(const Command &c) {
    bool has_colour = c.op != Op::Canvas && c.op != Op::Erase && c.op != Op::Save;
    return !has_colour || (c.numbers[0] >= 0 && c.numbers[0] < PALETTE_COLOURS);
}

// Widths below 0 and canvases without pixels are not part of the language.
bool sizes_ok(const Command &c) {
    bool has_width = c.op == Op::Triangle || c.op == Op::Rectangle || c.op == Op::Oval || c.op == Op::Line;
    if (has_width && c.numbers[1] < 0) return false;
    return c.op != Op::Canvas || (c.numbers[0] > 0 && c.numbers[1] > 0);
}

// Parses one non-blank, non-comment line; an empty reason means success.
std::string parse_line(const std::string &text, Command *command) {
    std::istringstream in(text);
    std::string word;
    in >> word;
    const Syntax *syntax = syntax_of(word);
    if (!syntax) return "unknown command " + word;
    command->op = syntax->op;
    if (!read_numbers(in, syntax->numbers, command->numbers))
        return word + " needs " + std::to_string(syntax->numbers) + " numbers";
    if (!colour_ok(*command)) return "colour index outside 0.." + std::to_string(PALETTE_COLOURS - 1);
    if (!sizes_ok(*command)) return "bad size or width";
    if (syntax->op == Op::Save && !(in >> command->text)) return "save needs a name";
    if (syntax->op == Op::Save && command->text.find('/') != std::string::npos)
        return "save needs a plain name, not a path: " + command->text;
    if (syntax->op == Op::Text) {
        std::string rest;
        std::getline(in, rest);
        if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
        command->text = unescape(rest);
    }
    std::string junk;
    if (in >> junk) return "unexpected '" + junk + "' after " + word;
    return "";
}

// A directory opens as a stream that reads nothing, which would pass for an
// empty file.
bool open_command_file(const std::string &path, std::ifstream *file, std::string *error) {
    std::error_code failure;
    if (std::filesystem::is_directory(path, failure)) {
        *error = "cannot read " + path + ": is a directory";
        return false;
    }
    file->open(path);
    if (!*file) {
        *error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace

bool read_command_file(const std::string &path, std::vector<Command> *commands, std::string *error) {
    std::ifstream file;
    if (!open_command_file(path, &file, error)) return false;
    std::string text;
    for (int line = 1; std::getline(file, text); ++line) {
        while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
        size_t start = text.find_first_not_of(" \t");
        if (start == std::string::npos || text[start] == '#') continue;
        Command command = {};
        command.line = line;
        std::string reason = parse_line(text, &command);
        if (!reason.empty()) {
            *error = path + ":" + std::to_string(line) + ": " + reason;
            return false;
        }
        commands->push_back(command);
    }
    return true;
}

}  // namespace qz370::commands
