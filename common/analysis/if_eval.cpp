// Evaluator of #if / #elif expressions.
//
// Grammar (e is an expression; rule numbers are used by the operator table):
//    1  start: list                    16  e: e != e
//    2  list: e                        17  e: e <= e
//    3  list: list , e                 18  e: e >= e
//  4-6  e: - e | ! e | ~ e             19  e: e < e
//    7  e: ( list )                    20  e: e > e
// 8-10  e: e * e | e / e | e % e    21-23  e: e & e | e ^ e | e | e
//11-12  e: e + e | e - e            24-25  e: e && e | e || e
//13-14  e: e << e | e >> e             26  e: e ? e : e
//   15  e: e == e                   27-29  e: number | char constant | identifier
//
// Precedence from lowest: ","  "?:" (right associative)  "||"  "&&"  "|"  "^"
// "&"  "== !="  "< > <= >="  "<< >>"  "+ -"  "* / %"  unary.  There is no
// unary plus.  A list (the comma) stands only at the top and inside
// parentheses; the operands of ?: are single expressions.
//
// Values are signed 32-bit and wrap.  Every operand is evaluated, so a
// division by zero fails the whole expression even under "0 &&".
// The parser is a shift-reduce operator-precedence parser on two fixed
// stacks; nesting deeper than the stacks allow is a syntax error.
#include "common/analysis/if_eval.h"

#include <array>
#include <cstddef>
#include <limits>

namespace {

// Token codes: a single character stands for itself.
enum TokenCode : int {
    kEnd = 257,
    kNumber = 259,
    kCharConstant = 260,
    kIdentifier = 261,
    kOrOr = 263,
    kAndAnd = 264,
    kEqual = 265,
    kNotEqual = 266,
    kLessEqual = 267,
    kGreaterEqual = 268,
    kShiftLeft = 269,
    kShiftRight = 270,
};

struct Token {
    int code = kEnd;
    int32_t value = 0;
};

// ---------------------------------------------------------------------------
// Arithmetic.  Everything goes through uint32_t so overflow wraps instead of
// being undefined.

int32_t wrap(uint32_t value) { return static_cast<int32_t>(value); }
uint32_t bits(int32_t value) { return static_cast<uint32_t>(value); }

constexpr int32_t kMinValue = std::numeric_limits<int32_t>::min();

// Operands are v[0] .. v[arity - 1], left to right.  False means the
// evaluation fails (division by zero).
using Action = bool (*)(const int32_t* v, int32_t& result);

bool act_comma(const int32_t* v, int32_t& r) { r = v[1]; return true; }
bool act_negate(const int32_t* v, int32_t& r) { r = wrap(0u - bits(v[0])); return true; }
bool act_not(const int32_t* v, int32_t& r) { r = v[0] == 0; return true; }
bool act_complement(const int32_t* v, int32_t& r) { r = wrap(~bits(v[0])); return true; }
bool act_multiply(const int32_t* v, int32_t& r) { r = wrap(bits(v[0]) * bits(v[1])); return true; }

bool act_divide(const int32_t* v, int32_t& r) {
    if (v[1] == 0) return false;
    // The one quotient that does not fit wraps back to the minimum.
    r = (v[0] == kMinValue && v[1] == -1) ? kMinValue : v[0] / v[1];
    return true;
}

bool act_remainder(const int32_t* v, int32_t& r) {
    if (v[1] == 0) return false;
    r = (v[1] == -1) ? 0 : v[0] % v[1];
    return true;
}

bool act_add(const int32_t* v, int32_t& r) { r = wrap(bits(v[0]) + bits(v[1])); return true; }
bool act_subtract(const int32_t* v, int32_t& r) { r = wrap(bits(v[0]) - bits(v[1])); return true; }
// Shift counts are taken modulo 32, so 1 << 33 is 2; >> keeps the sign.
bool act_shift_left(const int32_t* v, int32_t& r) { r = wrap(bits(v[0]) << (bits(v[1]) & 31u)); return true; }
bool act_shift_right(const int32_t* v, int32_t& r) { r = v[0] >> (bits(v[1]) & 31u); return true; }
bool act_equal(const int32_t* v, int32_t& r) { r = v[0] == v[1]; return true; }
bool act_not_equal(const int32_t* v, int32_t& r) { r = v[0] != v[1]; return true; }
bool act_less_equal(const int32_t* v, int32_t& r) { r = v[0] <= v[1]; return true; }
bool act_greater_equal(const int32_t* v, int32_t& r) { r = v[0] >= v[1]; return true; }
bool act_less(const int32_t* v, int32_t& r) { r = v[0] < v[1]; return true; }
bool act_greater(const int32_t* v, int32_t& r) { r = v[0] > v[1]; return true; }
bool act_bit_and(const int32_t* v, int32_t& r) { r = v[0] & v[1]; return true; }
bool act_bit_xor(const int32_t* v, int32_t& r) { r = v[0] ^ v[1]; return true; }
bool act_bit_or(const int32_t* v, int32_t& r) { r = v[0] | v[1]; return true; }
bool act_logical_and(const int32_t* v, int32_t& r) { r = v[0] != 0 && v[1] != 0; return true; }
bool act_logical_or(const int32_t* v, int32_t& r) { r = v[0] != 0 || v[1] != 0; return true; }
bool act_conditional(const int32_t* v, int32_t& r) { r = v[0] != 0 ? v[1] : v[2]; return true; }

// ---------------------------------------------------------------------------
// Operator table.

enum Level : int {
    kListLevel = 1,
    kConditional,
    kLogicalOr,
    kLogicalAnd,
    kBitOr,
    kBitXor,
    kBitAnd,
    kEquality,
    kRelational,
    kShift,
    kAdditive,
    kMultiplicative,
    kUnary,
};

enum class Assoc { left, right, prefix };

struct Operator {
    int rule;  // grammar rule number (header comment)
    int token;
    int level;
    Assoc assoc;
    int arity;
    Action apply;
};

// ORDER RULE: one row per operator rule, in rule order; the static_assert
// below holds the rows to ascending rule numbers.  Lookup goes by token and
// arity, so "-" appears twice (rules 4 and 12).  Rule 26 is keyed by "?";
// its ":" is matched by the parser.
constexpr Operator kOperators[] = {
    {3, ',', kListLevel, Assoc::left, 2, act_comma},
    {4, '-', kUnary, Assoc::prefix, 1, act_negate},
    {5, '!', kUnary, Assoc::prefix, 1, act_not},
    {6, '~', kUnary, Assoc::prefix, 1, act_complement},
    {8, '*', kMultiplicative, Assoc::left, 2, act_multiply},
    {9, '/', kMultiplicative, Assoc::left, 2, act_divide},
    {10, '%', kMultiplicative, Assoc::left, 2, act_remainder},
    {11, '+', kAdditive, Assoc::left, 2, act_add},
    {12, '-', kAdditive, Assoc::left, 2, act_subtract},
    {13, kShiftLeft, kShift, Assoc::left, 2, act_shift_left},
    {14, kShiftRight, kShift, Assoc::left, 2, act_shift_right},
    {15, kEqual, kEquality, Assoc::left, 2, act_equal},
    {16, kNotEqual, kEquality, Assoc::left, 2, act_not_equal},
    {17, kLessEqual, kRelational, Assoc::left, 2, act_less_equal},
    {18, kGreaterEqual, kRelational, Assoc::left, 2, act_greater_equal},
    {19, '<', kRelational, Assoc::left, 2, act_less},
    {20, '>', kRelational, Assoc::left, 2, act_greater},
    {21, '&', kBitAnd, Assoc::left, 2, act_bit_and},
    {22, '^', kBitXor, Assoc::left, 2, act_bit_xor},
    {23, '|', kBitOr, Assoc::left, 2, act_bit_or},
    {24, kAndAnd, kLogicalAnd, Assoc::left, 2, act_logical_and},
    {25, kOrOr, kLogicalOr, Assoc::left, 2, act_logical_or},
    {26, '?', kConditional, Assoc::right, 3, act_conditional},
};

constexpr bool rows_in_rule_order() {
    for (std::size_t i = 1; i < std::size(kOperators); ++i) {
        if (kOperators[i].rule <= kOperators[i - 1].rule) return false;
    }
    return true;
}
static_assert(rows_in_rule_order(), "kOperators must follow the grammar's rule numbers");

const Operator* find_operator(int token, bool prefix) {
    for (const Operator& op : kOperators) {
        if (op.token == token && (op.assoc == Assoc::prefix) == prefix) return &op;
    }
    return nullptr;
}

// Two-character operators, matched before single characters.
struct TwoCharOperator {
    char first;
    char second;
    int code;
};

constexpr TwoCharOperator kTwoCharOperators[] = {
    {'&', '&', kAndAnd},    {'|', '|', kOrOr},      {'=', '=', kEqual},     {'!', '=', kNotEqual},
    {'<', '=', kLessEqual}, {'>', '=', kGreaterEqual}, {'<', '<', kShiftLeft}, {'>', '>', kShiftRight},
};

// Characters that are tokens by themselves.  Some have no rule (". @ [ ] { }"
// and "=" alone); they make the parse fail rather than the scan.
constexpr std::string_view kSingleCharTokens = "!%&()*+,-./:<=>?@[]^{|}~";

// ---------------------------------------------------------------------------
// Scanner.

bool is_identifier_start(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool is_identifier_continuation(unsigned char c) { return is_identifier_start(c) || (c >= '0' && c <= '9'); }
bool is_digit(unsigned char c) { return c >= '0' && c <= '9'; }
bool is_octal_digit(unsigned char c) { return c >= '0' && c <= '7'; }
unsigned char to_lower_ascii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; }

class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    // False on a scanning error.  A NUL or the end of the text gives kEnd.
    bool next(Token& token) {
        while (peek() == ' ' || peek() == '\t' || peek() == '\n') ++pos_;
        token = Token{};
        const unsigned char c = peek();
        if (c == 0) return true;
        for (const TwoCharOperator& op : kTwoCharOperators) {
            if (c == static_cast<unsigned char>(op.first) && peek(1) == static_cast<unsigned char>(op.second)) {
                pos_ += 2;
                token.code = op.code;
                return true;
            }
        }
        if (kSingleCharTokens.find(static_cast<char>(c)) != std::string_view::npos) {
            ++pos_;
            token.code = c;
            return true;
        }
        if (is_digit(c)) return scan_number(token);
        if (c == '\'') return scan_char_constant(token);
        if (is_identifier_start(c)) {
            while (is_identifier_continuation(peek())) ++pos_;
            token.code = kIdentifier;
            return true;
        }
        return false;  // '"' and anything else
    }

private:
    // The byte `ahead` places on, or 0 past the end of the text.
    unsigned char peek(std::size_t ahead = 0) const {
        return pos_ + ahead < text_.size() ? static_cast<unsigned char>(text_[pos_ + ahead]) : 0;
    }

    // Bytes of the integer suffix at the end of a number, as C writes it:
    // an optional u and an optional l or ll (LL), in either order.
    static std::size_t integer_suffix_length(std::string_view run) {
        auto is_u = [](char c) { return c == 'u' || c == 'U'; };
        std::size_t k = run.size();
        bool has_u = k > 0 && is_u(run[k - 1]);
        if (has_u) --k;
        if (k >= 2 && run[k - 1] == run[k - 2] && (run[k - 1] == 'l' || run[k - 1] == 'L')) {
            k -= 2;
        } else if (k >= 1 && (run[k - 1] == 'l' || run[k - 1] == 'L')) {
            --k;
        } else {
            return run.size() - k;
        }
        if (!has_u && k > 0 && is_u(run[k - 1])) --k;
        return run.size() - k;
    }

    bool scan_number(Token& token) {
        const std::size_t start = pos_;
        while (is_identifier_continuation(peek()) || peek() == '.') ++pos_;
        std::string_view run = text_.substr(start, pos_ - start);
        if (run.find('.') != std::string_view::npos) return false;
        run.remove_suffix(integer_suffix_length(run));

        uint32_t base = 10;
        std::size_t i = 0;
        if (run.size() >= 3 && run[0] == '0' && (run[1] == 'x' || run[1] == 'X')) {
            base = 16;
            i = 2;
        } else if (run[0] == '0') {
            base = 8;  // 8 and 9 still count with their decimal weight
        }
        uint32_t value = 0;
        for (; i < run.size(); ++i) {
            const unsigned char c = to_lower_ascii(static_cast<unsigned char>(run[i]));
            uint32_t digit = 0;
            if (is_digit(c)) {
                digit = c - '0';
            } else if (base == 16 && c >= 'a' && c <= 'f') {
                digit = c - 'a' + 10;
            } else {
                return false;
            }
            value = value * base + digit;
        }
        token.code = kNumber;
        token.value = wrap(value);
        return true;
    }

    bool scan_char_constant(Token& token) {
        ++pos_;  // opening quote
        int32_t value = 0;
        if (!scan_char_or_escape(value) || peek() != '\'') return false;
        ++pos_;
        token.code = kCharConstant;
        token.value = value;
        return true;
    }

    // "\^x" makes a control character of x, which may itself be "\^y" and so
    // on; the prefixes are counted and applied innermost first, so a long
    // chain costs no recursion.
    bool scan_char_or_escape(int32_t& value) {
        int controls = 0;
        while (peek() == '\\' && peek(1) == '^') {
            pos_ += 2;
            ++controls;
        }
        const unsigned char c = peek();
        if (c == 0) return false;
        ++pos_;
        if (c != '\\') {
            value = c;
        } else if (is_octal_digit(peek())) {
            value = 0;
            for (int n = 0; n < 3 && is_octal_digit(peek()); ++n, ++pos_) value = value * 8 + (peek() - '0');
        } else {
            const unsigned char e = peek();
            if (e == 0) return false;
            ++pos_;
            value = simple_escape(e);
        }
        for (; controls > 0; --controls) value = (value == '?') ? 127 : (value & 0x9F);
        return true;
    }

    static int32_t simple_escape(unsigned char c) {
        switch (c) {
        case 'a': return 7;
        case 'b': return 8;
        case 'e': return 27;
        case 'f': return 12;
        case 'n': return 10;
        case 'r': return 13;
        case 't': return 9;
        case 'v': return 11;
        default: return c;
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// ---------------------------------------------------------------------------
// Parser.

constexpr std::size_t kStackDepth = 100;

template <typename T>
class BoundedStack {
public:
    bool push(const T& item) {
        if (size_ == kStackDepth) return false;
        items_[size_++] = item;
        return true;
    }
    void pop(std::size_t n = 1) { size_ -= n; }
    bool empty() const { return size_ == 0; }
    std::size_t size() const { return size_; }
    T& top() { return items_[size_ - 1]; }
    // The last n items, oldest first.
    const T* last(std::size_t n) const { return &items_[size_ - n]; }

private:
    std::array<T, kStackDepth> items_{};
    std::size_t size_ = 0;
};

enum class Pending { open_paren, awaiting_colon, ready };

struct PendingOperator {
    Pending kind = Pending::ready;
    const Operator* op = nullptr;
};

class Parser {
public:
    explicit Parser(std::string_view text) : scanner_(text) {}

    bool run(int32_t& result) {
        bool expect_operand = true;
        for (;;) {
            Token token;
            if (!scanner_.next(token)) return false;
            if (expect_operand) {
                if (!take_operand_token(token, expect_operand)) return false;
                continue;
            }
            switch (token.code) {
            case kEnd:
                return finish(result);
            case ')':
                if (!reduce_all() || !close_paren()) return false;
                continue;
            case ':':
                if (!reduce_all() || !begin_third_operand()) return false;
                expect_operand = true;
                continue;
            default:
                if (!take_binary_operator(token.code)) return false;
                expect_operand = true;
            }
        }
    }

private:
    bool take_operand_token(const Token& token, bool& expect_operand) {
        switch (token.code) {
        case kNumber:
        case kCharConstant:
        case kIdentifier:  // a name left after substitution counts 0
            expect_operand = false;
            return values_.push(token.value);
        case '(':
            return ops_.push({Pending::open_paren, nullptr});
        default: {
            const Operator* op = find_operator(token.code, true);
            return op != nullptr && ops_.push({Pending::ready, op});
        }
        }
    }

    bool take_binary_operator(int code) {
        const Operator* op = find_operator(code, false);
        if (op == nullptr || !reduce_before(*op)) return false;
        const bool in_conditional = !ops_.empty() && ops_.top().kind == Pending::awaiting_colon;
        if (op->level == kListLevel && in_conditional) return false;
        return ops_.push({op->token == '?' ? Pending::awaiting_colon : Pending::ready, op});
    }

    // Reduces what binds tighter than the incoming operator.
    bool reduce_before(const Operator& incoming) {
        while (!ops_.empty() && ops_.top().kind == Pending::ready) {
            const Operator& top = *ops_.top().op;
            const bool tighter = top.level > incoming.level ||
                                 (top.level == incoming.level && incoming.assoc == Assoc::left);
            if (!tighter) break;
            if (!reduce_top()) return false;
        }
        return true;
    }

    // Reduces everything down to the nearest "(" or pending "?".
    bool reduce_all() {
        while (!ops_.empty() && ops_.top().kind == Pending::ready) {
            if (!reduce_top()) return false;
        }
        return true;
    }

    bool reduce_top() {
        const Operator& op = *ops_.top().op;
        ops_.pop();
        const auto arity = static_cast<std::size_t>(op.arity);
        if (values_.size() < arity) return false;
        int32_t value = 0;
        if (!op.apply(values_.last(arity), value)) return false;
        values_.pop(arity);
        return values_.push(value);
    }

    bool close_paren() {
        if (ops_.empty() || ops_.top().kind != Pending::open_paren) return false;
        ops_.pop();
        return true;
    }

    bool begin_third_operand() {
        if (ops_.empty() || ops_.top().kind != Pending::awaiting_colon) return false;
        ops_.top().kind = Pending::ready;
        return true;
    }

    bool finish(int32_t& result) {
        if (!reduce_all() || !ops_.empty() || values_.size() != 1) return false;
        result = values_.top();
        return true;
    }

    Scanner scanner_;
    BoundedStack<PendingOperator> ops_;
    BoundedStack<int32_t> values_;
};

}  // namespace

int32_t evaluate_if_expression(std::string_view text, int& error_flag) {
    int32_t value = 0;
    if (!Parser(text).run(value)) {
        error_flag = -1;
        return 0;
    }
    error_flag = 0;
    return value;
}
