// XML data packets: a whole table (a TDataPacket) as a plain UTF-8 XML file that any XML tool
// opens, read back without loss.
//
//   <?xml version="1.0" encoding="UTF-8"?>
//   <DATAPACKET Version="1">
//     <METADATA>
//       <FIELDS>
//         <FIELD Name="METER" Type="String" Size="20" Required="true"/>
//         <FIELD Name="READING" Type="Float"/>
//         <FIELD Name="AMOUNT" Type="BCD" Precision="19" Scale="4"/>
//         <FIELD Name="READ_ON" Type="DateTime"/>
//         <FIELD Name="PHOTO" Type="Blob"/>
//       </FIELDS>
//     </METADATA>
//     <ROWDATA>
//       <ROW><V>A-1</V><V>12.5</V><V>-3.25</V><V>2024-02-29T13:45:30</V><V enc="base64">iVBORw0=</V></ROW>
//       <ROW><V>A-2</V><V null="true"/><V>0</V><V>2024-03-01</V><V null="true"/></ROW>
//     </ROWDATA>
//   </DATAPACKET>
//
// Fields: one FIELD per column in column order. Type is the field type's name without its
// "ft" (String, WideString, FixedChar, FixedWideChar, Guid, Smallint, Integer, Word, AutoInc,
// Largeint, Float, Currency, BCD, FMTBcd, Date, Time, DateTime, TimeStamp, Boolean, Memo,
// WideMemo, FmtMemo, Blob, Bytes, VarBytes, Graphic, TypedBinary, ParadoxOle, DBaseOle,
// OraBlob, OraClob). Size, Precision, Scale and Required appear when they are not 0 / false.
// A name that XML cannot carry as text is written as NameBase64 (its bytes in the ANSI code
// page) instead of Name.
//
// Rows: one ROW per record, one V per field in field order. A null value is <V null="true"/>;
// an empty text is <V/>. Values are written as:
//   integers           decimal: -42
//   Float              the shortest decimal that reads back as the same double: 0.1, 1e+300,
//                      NaN, INF, -INF
//   Currency, BCD      the exact amount, up to four decimals: 12.3456, -0.5
//   date and time      ISO 8601 to the millisecond: 2024-02-29, 2024-02-29T13:45:30.250, and
//                      13:45:30 for a time on day 0; a value finer than a millisecond or
//                      outside the years 1 to 9999 carries its exact day number as well,
//                      raw="45351.57326388889", which the reader takes
//   Boolean            true or false
//   texts and memos    the text; a text XML cannot carry (control characters, bytes that are
//                      no text in the ANSI code page, unpaired surrogates) is written as
//                      enc="base64" of its bytes (ANSI code page, or UTF-16LE for wide texts)
//   Blob and binary    always enc="base64" of the bytes
// Carriage returns in texts are written as &#13; so that XML's line-end rule keeps them.
//
// Errors: reading raises EDatabaseError "SOURCE: reason (line N)" (the source name and ": "
// only when one is given) for a file that is not such a packet: malformed XML, a document type
// declaration, an unknown element, field type or attribute value, a row with too few or too
// many values, a value that does not read as its field's type. Nothing of a bad packet is kept.
#pragma once

#include "TDataPacket.h"

class TStream;

void WriteDataPacketXml(const TDataPacket& Packet, TStream* Stream);
TDataPacket ReadDataPacketXml(TStream* Stream, const AnsiString& SourceName = {});
