#pragma once
// The application identity: window title, single-instance name, identity message name, tray tooltip,
// settings key and per-user data folder name.
constexpr const wchar_t* kAppIdentity = L"Plemix PX-300 Device";
