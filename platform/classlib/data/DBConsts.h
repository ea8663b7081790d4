// The message texts of the data access layer's errors. "%s" stands for a field, table or file
// name; a data set's errors are prefixed with its component name and ": " when it has one.
#pragma once

inline constexpr const char* SFieldNotFound = "Field '%s' not found";
inline constexpr const char* SFieldAccessError = "Cannot access field '%s' as type %s";
inline constexpr const char* SFieldTypeUnsupported = "Field '%s' is of an unsupported type";
inline constexpr const char* SDuplicateFieldName = "Duplicate field name '%s'";
inline constexpr const char* SDataSetClosed = "Cannot perform this operation on a closed dataset";
inline constexpr const char* SDataSetOpen = "Cannot perform this operation on an open dataset";
inline constexpr const char* SInvalidBookmark = "Invalid bookmark";
inline constexpr const char* SRecordNotFound = "Record not found";
inline constexpr const char* SMissingDataSet = "Missing DataSet property";
inline constexpr const char* SNoFieldDefs = "No fields defined; cannot create dataset";
inline constexpr const char* SCircularDataLink = "Circular datalinks are not allowed";
inline constexpr const char* SRecordValueCount = "A record of %d values does not match %d fields";
inline constexpr const char* SMissingDataPacket = "Missing data provider or data packet";
inline constexpr const char* SMissingConnection = "Missing Connection or ConnectionString";
inline constexpr const char* SNoTableName = "No table name given";
