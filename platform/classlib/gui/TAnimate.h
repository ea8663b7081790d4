// TAnimate: a short looping clip, drawn by the control itself (no video file): the desktop's
// standard clips chosen with CommonAVI: aviFindFolder, aviFindFile and aviFindComputer show a
// magnifying glass circling a folder, a file or a computer; aviCopyFile(s) a sheet flying from
// one folder to another; aviDeleteFile, aviRecycleFile and aviEmptyRecycle a sheet dropping
// into a bin. A clip has FrameCount (16) frames shown ten per second.
//
// Active plays the clip from the first frame, looping Repetitions times (0: until stopped);
// Play(From, To, Count) plays part of it; Stop stops on the current frame. OnStart and OnStop
// run when playing starts and ends. With AutoSize (the default) the control takes the clip's
// size, 80 x 50.
//
// Published: Active, Align, AutoSize, Center, Color, CommonAVI, Enabled, Hint, ParentColor,
// ParentShowHint, PopupMenu, Repetitions, ShowHint, Transparent, Visible, OnClick, OnStart,
// OnStop.
#pragma once

#include "TWinControl.h"

enum class TCommonAVI {
  aviNone,
  aviFindFolder,
  aviFindFile,
  aviFindComputer,
  aviCopyFiles,
  aviCopyFile,
  aviRecycleFile,
  aviEmptyRecycle,
  aviDeleteFile
};
using enum TCommonAVI;

class TAnimate : public TWinControl {
  DECLARE_CLASS(TAnimate, TWinControl)

  explicit TAnimate(TComponent* AOwner);
  ~TAnimate() override;

  TCommonAVI CommonAVI() const;
  void SetCommonAVI(TCommonAVI Value);
  bool Active() const;
  void SetActive(bool Value);
  bool AutoSize() const;
  void SetAutoSize(bool Value);
  bool Center() const;
  void SetCenter(bool Value);
  bool Transparent() const;
  void SetTransparent(bool Value);
  int Repetitions() const;
  void SetRepetitions(int Value);
  int FrameCount() const;
  int CurrentFrame() const;

  void Play(int FromFrame, int ToFrame, int Count);
  void Stop();
  void Reset();

  TNotifyEvent OnStart;
  TNotifyEvent OnStop;
};
