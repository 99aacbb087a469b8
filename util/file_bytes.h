// Whole-file reads and writes for the small files the program reads (settings, text workbook).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The files read whole are settings, text workbooks, file lists and licences; one larger than
// this is refused as unreadable rather than risking an allocation that ends the program.
inline constexpr long long kMaxReadFileBytes = 64ll * 1024 * 1024;

// Reads the whole file, opened read-only while letting other programs read, write and delete
// it. Nothing when it cannot be opened (missing, or held open without sharing), is larger than
// kMaxReadFileBytes, or cannot be read.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::wstring& path);

// Replaces the file with one of `bytes`, created new (see CreateFileAfresh: what had the name is
// never written through). False when it cannot be created or written.
bool WriteFileBytes(const std::wstring& path, std::span<const std::uint8_t> bytes);

bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);
