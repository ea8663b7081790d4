// Internal to the conversion service: what its units share.
//
// WARNING: not part of the service's interface; it may change without notice.
#pragma once

class TExportFormats;

// Formats that write every value so that it reads back as the same value: integers without
// grouping, floats with all their digits, amounts with their four decimals, dates and times
// in ISO form with seconds. The conversions' exporters use them: a converted file is data for
// the next conversion or for the terminal, not a report.
void SetExactFormats(TExportFormats* Formats);
