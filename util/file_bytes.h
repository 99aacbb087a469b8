// Whole-file reads and writes for the small files the program reads (settings, text workbook).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Reads the whole file, opened read-only while letting other programs read, write and delete
// it. Nothing when it cannot be opened (missing, or held open without sharing) or read.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::wstring& path);

// Replaces the file's content. False when it cannot be created or written.
bool WriteFileBytes(const std::wstring& path, std::span<const std::uint8_t> bytes);

bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);
