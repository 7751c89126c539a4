#include "linklib/sim/SimFile.h"

#include <charconv>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

namespace tintoral::sim {
namespace {

constexpr double kShortestPeriod = 0.01;  // seconds

struct Token {
  enum Kind { Word, Text, Symbol } kind;
  std::string text;
};

class LineParser {
 public:
  LineParser(const std::string& fileName, int line) : where_(fileName + ":" + std::to_string(line) + ": ") {}

  [[noreturn]] void Fail(const std::string& message) const { throw SimFileError(where_ + message); }

  std::vector<Token> Tokens(const std::string& line) const {
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < line.size();) {
      const char c = line[i];
      if (c == ' ' || c == '\t' || c == '\r') {
        ++i;
      } else if (c == '#') {
        break;
      } else if (c == '=' || c == ':') {
        tokens.push_back({Token::Symbol, std::string(1, c)});
        ++i;
      } else if (c == '"') {
        tokens.push_back({Token::Text, Quoted(line, i)});
      } else {
        const std::size_t end = line.find_first_of(" \t\r#=:\"", i);
        tokens.push_back({Token::Word, line.substr(i, end - i)});
        i = end == std::string::npos ? line.size() : end;
      }
    }
    return tokens;
  }

  double Number(const std::string& text) const {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) Fail("'" + text + "' is not a number");
    return value;
  }

 private:
  // A text in double quotes from line[i]; i ends after the closing quote.
  std::string Quoted(const std::string& line, std::size_t& i) const {
    std::string text;
    for (++i; i < line.size(); ++i) {
      if (line[i] != '"') {
        text += line[i];
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        text += '"';
        ++i;
      } else {
        ++i;
        return text;
      }
    }
    Fail("a text in quotes has no closing quote");
  }

  std::string where_;
};

bool IsName(const Token& token) { return token.kind != Token::Symbol; }

GeneratorKind KindNamed(const LineParser& parser, const std::string& name) {
  static const std::map<std::string, GeneratorKind> kinds = {{"constant", GeneratorKind::Constant},
                                                             {"ramp", GeneratorKind::Ramp},
                                                             {"sine", GeneratorKind::Sine},
                                                             {"walk", GeneratorKind::Walk}};
  const auto kind = kinds.find(name);
  if (kind == kinds.end()) parser.Fail("unknown generator '" + name + "' (constant, ramp, sine or walk)");
  return kind->second;
}

void ReadConstant(const LineParser& parser, const std::vector<Token>& args, GeneratorSettings& settings) {
  if (args.size() != 1) parser.Fail("constant takes one value: a number or a text in quotes");
  settings.isText = args[0].kind == Token::Text;
  if (settings.isText) settings.text = args[0].text;
  else settings.value = parser.Number(args[0].text);
}

void ReadParameters(const LineParser& parser, const std::string& generator, const std::vector<Token>& args,
                    GeneratorSettings& settings) {
  std::map<std::string, double*> parameters = {
      {"min", &settings.min}, {"max", &settings.max}, {"period", &settings.period}, {"every", &settings.every}};
  if (settings.kind == GeneratorKind::Walk) parameters["step"] = &settings.step;
  std::map<std::string, bool> given;
  for (std::size_t i = 0; i < args.size(); i += 2) {
    const std::string& name = args[i].text;
    const auto parameter = parameters.find(name);
    if (args[i].kind != Token::Word || parameter == parameters.end())
      parser.Fail("unknown parameter '" + name + "' of " + generator);
    if (given[name]) parser.Fail("parameter '" + name + "' is given twice");
    if (i + 1 == args.size()) parser.Fail("parameter '" + name + "' has no value");
    *parameter->second = parser.Number(args[i + 1].text);
    given[name] = true;
  }
  if (!given["min"] || !given["max"] || !given["period"]) parser.Fail(generator + " needs min, max and period");
  if (settings.min > settings.max) parser.Fail("min is greater than max");
  if (!(settings.period >= kShortestPeriod) || !(settings.every >= kShortestPeriod))
    parser.Fail("period and every are at least 0.01 seconds");
  if (settings.step < 0) parser.Fail("step is negative");
}

SimItemSettings ParseLine(const LineParser& parser, const std::vector<Token>& tokens) {
  SimItemSettings settings;
  std::size_t i = 0;
  if (tokens.size() > 1 && tokens[1].kind == Token::Symbol && tokens[1].text == ":") {
    if (!IsName(tokens[0])) parser.Fail("a server name is expected before ':'");
    settings.anyServer = false;
    settings.server = tokens[0].text;
    i = 2;
  }
  if (i >= tokens.size() || !IsName(tokens[i])) parser.Fail("an item name is expected");
  settings.item = tokens[i++].text;
  if (i >= tokens.size() || tokens[i].text != "=" || tokens[i].kind != Token::Symbol)
    parser.Fail("'=' is expected after the item name");
  if (++i >= tokens.size() || tokens[i].kind != Token::Word)
    parser.Fail("a generator is expected after '=' (constant, ramp, sine or walk)");
  const std::string generator = tokens[i++].text;
  settings.generator.kind = KindNamed(parser, generator);
  const std::vector<Token> args(tokens.begin() + static_cast<std::ptrdiff_t>(i), tokens.end());
  for (const Token& arg : args)
    if (arg.kind == Token::Symbol) parser.Fail("'" + arg.text + "' is out of place");
  if (settings.generator.kind == GeneratorKind::Constant) ReadConstant(parser, args, settings.generator);
  else ReadParameters(parser, generator, args, settings.generator);
  return settings;
}

}  // namespace

SimFileContents ParseSimFile(const std::string& text, const std::string& fileName) {
  SimFileContents contents;
  std::map<std::tuple<bool, std::string, std::string>, int> declared;  // (any server, server, item) -> line
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    try {
      const LineParser parser(fileName, number);
      const std::vector<Token> tokens = parser.Tokens(line);
      if (tokens.empty()) continue;
      SimItemSettings item = ParseLine(parser, tokens);
      item.line = number;
      const auto key = std::make_tuple(item.anyServer, item.server, item.item);
      if (const auto earlier = declared.find(key); earlier != declared.end())
        parser.Fail("item '" + item.item + "' is already declared on line " + std::to_string(earlier->second));
      declared[key] = number;
      contents.items.push_back(std::move(item));
    } catch (const SimFileError& error) {
      contents.errors.push_back(error.what());
    }
  }
  return contents;
}

SimFileContents ReadSimFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {{}, {path + ": cannot be read"}};
  std::ostringstream text;
  text << in.rdbuf();
  return ParseSimFile(text.str(), path);
}

}  // namespace tintoral::sim
