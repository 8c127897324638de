#pragma once
// Hand-made version resources, written into copies of a DLL, for the reader's bad-input tests.

#include <windows.h>

#include <cstdint>
#include <string>

// A VS_VERSIONINFO block: header, key "VS_VERSION_INFO", padding, then `valueBytes` of a
// fixed file information record with the given product and file versions (a record is 52
// bytes; fewer makes a short root value). `declaredLength` 0 means the block's true length.
std::string VersionBlob(std::uint16_t valueLength, std::size_t valueBytes,
                        const std::uint16_t (&product)[4], const std::uint16_t (&file)[4],
                        std::uint16_t declaredLength = 0);

// Copies `source` to `target` and replaces its version resource by `blob` (an empty blob
// leaves the copy without one); false on failure.
bool WriteVersionResource(const std::wstring& source, const std::wstring& target, const std::string& blob);
