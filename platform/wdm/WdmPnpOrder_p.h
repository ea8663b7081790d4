// Private to the kernel stand-in: the order in which the Plug and Play manager sends its
// requests to a device stack. The stand-in follows each device's state through the requests
// it sends and refuses a removal the PnP manager never sends:
// - IRP_MN_REMOVE_DEVICE while a handle is open on the device: after a surprise removal the
//   remove request follows the last close, and open handles veto an orderly removal;
// - IRP_MN_REMOVE_DEVICE to a started device that has neither accepted a query-remove nor been
//   surprise-removed (a device whose start failed is removed at once).
#pragma once

#include "wdm.h"

// Called as a request is sent to the stack of Pdo; refuses an order Windows never produces.
void WdmCheckPnpOrder(PDEVICE_OBJECT Pdo, UCHAR MajorFunction, UCHAR MinorFunction);

// Called as a request to the stack of Pdo completes, with its final status.
void WdmNotePnpOutcome(PDEVICE_OBJECT Pdo, UCHAR MajorFunction, UCHAR MinorFunction, NTSTATUS Status);

// True when an orderly removal of the device begins with a query-remove: it is started and no
// query-remove was accepted since, and it has not been surprise-removed.
bool WdmRemoveNeedsQuery(PDEVICE_OBJECT Pdo);
