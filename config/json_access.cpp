#include "config/json_access.h"

#include <cstring>

#include "platform/debug.h"
#include "platform/text.h"

bool CheckDocumentIndex(int64_t index, std::wstring_view what) {
    if (IsDocumentIndex(index)) {
        return true;
    }
    DebugLine(L"profile: " + std::wstring(what) + L" " + std::to_wstring(index) + L" is out of range");
    return false;
}

const Json::Value& MemberOf(const Json::Value& object, const char* key) {
    if (!object.isObject()) {
        return Json::Value::nullSingleton();
    }
    const Json::Value* found = object.find(key, key + std::strlen(key));
    return found != nullptr ? *found : Json::Value::nullSingleton();
}

const Json::Value& ElementOf(const Json::Value& array, int64_t index) {
    if (!array.isArray() || index < 0 || index >= static_cast<int64_t>(array.size())) {
        return Json::Value::nullSingleton();
    }
    return array[static_cast<Json::ArrayIndex>(index)];
}

int32_t JsonInt(const Json::Value& value) {
    switch (value.type()) {
        case Json::intValue:
            return static_cast<int32_t>(static_cast<uint32_t>(value.asLargestInt()));
        case Json::uintValue:
            return static_cast<int32_t>(static_cast<uint32_t>(value.asLargestUInt()));
        case Json::realValue: {
            const double real = value.asDouble();
            // NaN fails both comparisons and reads 0.
            if (real > -2147483649.0 && real < 2147483648.0) {
                return static_cast<int32_t>(real);
            }
            return 0;
        }
        case Json::booleanValue:
            return value.asBool() ? 1 : 0;
        default:
            return 0;
    }
}

std::wstring JsonText(const Json::Value& value) {
    if (!value.isString()) {
        return {};
    }
    const char* begin = nullptr;
    const char* end = nullptr;
    if (!value.getString(&begin, &end)) {
        return {};
    }
    return Utf8ToWide(std::string_view(begin, static_cast<size_t>(end - begin)));
}

Json::Value& ObjectMember(Json::Value& parent, const char* key) {
    if (!parent.isObject()) {
        parent = Json::Value(Json::objectValue);
    }
    return parent[key];
}

Json::Value& ArrayElement(Json::Value& parent, int64_t index) {
    if (!parent.isArray()) {
        parent = Json::Value(Json::arrayValue);
    }
    return parent[static_cast<Json::ArrayIndex>(index)];
}
