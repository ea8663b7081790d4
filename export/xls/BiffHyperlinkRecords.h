// The records of a cell's hyperlink: HLINK (the link to a URL or a local file) and
// HLINKTOOLTIP (its screen tip). Each routine assembles the record's data; the record's length
// is the size assembled.
#pragma once

class TbiffBuffer;
class TxlsHyperlink;

void AssembleHLINK(const TxlsHyperlink& Link, TbiffBuffer& Out);
void AssembleHLINKTOOLTIP(const TxlsHyperlink& Link, TbiffBuffer& Out);
