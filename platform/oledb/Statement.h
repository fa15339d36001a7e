// One statement of a provider's engine: bound values in, one result row at a time out. Each
// engine gives its own; the rowsets and tables work through this one shape.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace provider {

class Statement {
public:
    // What step answers besides an engine's error code; SQLite's own codes have these values.
    static constexpr int Row = 100;
    static constexpr int Done = 101;

    virtual ~Statement() = default;

    virtual void bind(int index, std::int64_t value) = 0;
    // The text is kept by the statement until its next reset, so the engine need not copy it.
    virtual void bind(int index, std::wstring_view text) = 0;
    virtual void bindNull(int index) = 0;
    // Row, Done or the engine's error code.
    virtual int step() = 0;
    // Runs a write whose answer the caller does not read: Done or the engine's error code. Inside a
    // transaction an engine may send it ahead without waiting, and tell its failure with the next
    // statement that waits for an answer, the commit at the latest.
    virtual int write() { return step(); }
    // Ends the current use: the statement keeps its text and forgets its values and position.
    virtual void reset() = 0;

    // The result columns. An engine that tells them only with the answer runs the statement for
    // them, as its first step would.
    virtual int columnCount() = 0;
    virtual std::int64_t columnInt(int index) const = 0;
    // The text of a result column written into field with its terminating zero, cut to fit; its
    // length.
    virtual std::size_t columnText(int index, wchar_t* field, std::size_t capacity) const = 0;
    virtual bool columnIsNull(int index) const = 0;
    // The table and column a result column comes from; empty for an expression.
    virtual std::string columnTable(int index) = 0;
    virtual std::string columnOrigin(int index) = 0;
    virtual std::wstring columnName(int index) = 0;
};

} // namespace provider
