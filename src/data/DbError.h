// An error of the database layer: a number in the engine's numbering (3024
// is "file not found") and a description fit to show the user.
#pragma once

#include <QString>

namespace corv {

struct DbError {
    int number = 0;
    QString description;

    bool ok() const { return number == 0; }
    explicit operator bool() const { return number != 0; }
};

// The numbers the program reacts to or reports.
namespace DbErr {
constexpr int InvalidArgument = 3001;   // a position outside the record set
constexpr int EngineFailure = 3000;     // anything the engine reports that has no number below
constexpr int UpdateWithoutEdit = 3020; // nothing to store
constexpr int NoCurrentRecord = 3021;
constexpr int FileNotFound = 3024;
constexpr int ReadOnly = 3027;   // file or folder cannot be written
constexpr int CannotOpen = 3051; // file exists but cannot be opened
constexpr int TableNotFound = 3078;
constexpr int SyntaxError = 3075;    // record source is not a valid SELECT
constexpr int NotASelect = 3129;     // record source is some other statement
constexpr int CriteriaSyntax = 3077; // malformed find criterion
constexpr int UnknownField = 3070;
constexpr int FieldTooSmall = 3163; // text longer than the field takes
constexpr int RecordDeleted = 3167; // the row was removed by another window
constexpr int DiskFull = 3183;
constexpr int Locked = 3260; // another program holds the file
constexpr int NotADatabase = 3343;
constexpr int ConversionError = 3421; // a text the field's type cannot take
constexpr int InvalidPattern = 3454;  // malformed LIKE pattern
} // namespace DbErr

} // namespace corv
