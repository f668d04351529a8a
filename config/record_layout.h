#pragma once
// Records described as tables of JSON members, so that reading, writing and listing a record is one
// generic loop instead of one hand-written line per member.
#include <json/value.h>

#include <cstdint>
#include <limits>
#include <span>
#include <type_traits>
#include <utility>
#include <variant>

#include "config/json_access.h"

// One member of a record: its JSON key, the record field it fills (whose width narrows the value by
// keeping the low bits) and whether it is a flag (read as nonzero, written as 0 or 1).
template <class Record>
struct RecordField {
    const char* key;
    std::variant<uint8_t Record::*, uint16_t Record::*, int32_t Record::*> member;
    bool flag = false;
};

template <class Record>
using FieldTable = std::span<const RecordField<Record>>;

// A record stored in one or more top-level sections of a document.
template <class Record>
struct RecordSection {
    const char* name;
    FieldTable<Record> fields;
};

template <class Record>
using RecordLayout = std::span<const RecordSection<Record>>;

// The field's value as a plain number (a flag as 0 or 1).
template <class Record>
int64_t GetField(const Record& record, const RecordField<Record>& field) {
    return std::visit(
        [&](auto member) -> int64_t {
            const int64_t value = record.*member;
            return field.flag ? (value != 0 ? 1 : 0) : value;
        },
        field.member);
}

// Stores a number by the number rule: flags become 0 or 1, other fields keep the low bits.
template <class Record>
void SetField(Record& record, const RecordField<Record>& field, int64_t value) {
    std::visit(
        [&](auto member) {
            using Value = std::remove_reference_t<decltype(record.*member)>;
            record.*member = field.flag ? Value(value != 0 ? 1 : 0) : Value(value);
        },
        field.member);
}

// The values a caller may set explicitly.
struct FieldRange {
    int64_t min;
    int64_t max;
};

template <class Record>
FieldRange RangeOf(const RecordField<Record>& field) {
    if (field.flag) {
        return {0, 1};
    }
    return std::visit(
        [](auto member) -> FieldRange {
            using Value = std::remove_reference_t<decltype(std::declval<Record&>().*member)>;
            return {std::numeric_limits<Value>::min(), std::numeric_limits<Value>::max()};
        },
        field.member);
}

template <class Record>
void ReadFields(const Json::Value& object, FieldTable<Record> fields, Record& record) {
    for (const auto& field : fields) {
        SetField(record, field, JsonInt(MemberOf(object, field.key)));
    }
}

// Sets the table's members one by one; other members of the object stay.
template <class Record>
void WriteFields(Json::Value& object, FieldTable<Record> fields, const Record& record) {
    for (const auto& field : fields) {
        ObjectMember(object, field.key) = Json::Value(static_cast<Json::Int>(GetField(record, field)));
    }
}

// A missing document or section reads as zeros.
template <class Record>
Record ReadRecord(const Json::Value& document, RecordLayout<Record> layout) {
    Record record;
    for (const auto& section : layout) {
        ReadFields(MemberOf(document, section.name), section.fields, record);
    }
    return record;
}

// Sets the record's members inside the existing sections, creating them when needed.
template <class Record>
void WriteRecordMembers(Json::Value& document, RecordLayout<Record> layout, const Record& record) {
    for (const auto& section : layout) {
        WriteFields(ObjectMember(document, section.name), section.fields, record);
    }
}

// Replaces each section with a fresh object holding exactly the record's members.
template <class Record>
void ReplaceRecordSections(Json::Value& document, RecordLayout<Record> layout, const Record& record) {
    for (const auto& section : layout) {
        Json::Value fresh(Json::objectValue);
        WriteFields(fresh, section.fields, record);
        ObjectMember(document, section.name) = std::move(fresh);
    }
}
