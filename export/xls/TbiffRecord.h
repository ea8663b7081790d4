// BIFF8 records as objects that write themselves, and the one routine that writes any record
// body into the workbook stream with the CONTINUE rule.
//
// A record longer than 8220 bytes of data is written as its first 8220 bytes, then CONTINUE
// records holding the next pieces of at most 8220 bytes each; the record's own length field
// holds the length of its first piece. Every short write raises ExlsFileError "Error writing
// output file".
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class TStream;

// Bytes of record data in one piece before the rest goes on in a CONTINUE record.
constexpr std::size_t BiffPieceSize = 0x201C;  // 8220, within BIFF8's 8224-byte record limit

// Writes the record id, then Size bytes of Data split by the CONTINUE rule.
void WriteBiffRecord(TStream& Stream, std::uint16_t Id, const std::uint8_t* Data, std::size_t Size);
// Writes one record of at most 8224 bytes of data as it is, without splitting (for records that
// lay out their own CONTINUE records, such as SST).
void WriteSingleBiffRecord(TStream& Stream, std::uint16_t Id, const std::uint8_t* Data, std::size_t Size);
// The bytes WriteBiffRecord writes for Size bytes of data (headers included).
std::size_t BiffRecordSize(std::size_t Size);

class TbiffRecord {
public:
  // A record of Length zero bytes.
  TbiffRecord(std::uint16_t Id, std::size_t Length);
  virtual ~TbiffRecord();
  TbiffRecord(const TbiffRecord&) = delete;
  TbiffRecord& operator=(const TbiffRecord&) = delete;

  std::uint16_t Id() const { return id_; }
  virtual std::size_t DataLength() const { return data_.size(); }
  // Bytes written by SaveToStream: this record with its CONTINUE records, then the child's.
  virtual std::size_t TotalSize() const;
  virtual void SaveToStream(TStream& Stream) const;
  // Fills the data with zeros.
  virtual void ClearData();

  std::uint8_t* Data() { return data_.data(); }
  const std::uint8_t* Data() const { return data_.data(); }
  // A record written right after this one (taken over; replaces an earlier child).
  void SetChild(std::unique_ptr<TbiffRecord> Child) { child_ = std::move(Child); }
  const TbiffRecord* Child() const { return child_.get(); }

protected:
  void SetU8(std::size_t Offset, std::uint8_t Value);
  void SetU16(std::size_t Offset, std::uint16_t Value);
  void SetU32(std::size_t Offset, std::uint32_t Value);
  // Grows or shrinks the data; new bytes are zero.
  void Resize(std::size_t Length) { data_.resize(Length); }

private:
  std::uint16_t id_;
  std::vector<std::uint8_t> data_;
  std::unique_ptr<TbiffRecord> child_;
};
