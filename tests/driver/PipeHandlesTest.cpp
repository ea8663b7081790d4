#include "VxDriverFixture.h"

namespace {

using TPipeHandlesTest = TVxDriverTest;

TEST_F(TPipeHandlesTest, BareInterfacePathGivesAControlHandle)
{
    Start();
    auto control = Open(u"");
    EXPECT_EQ(control->FileObject()->FsContext, nullptr);
    EXPECT_EQ(Ext()->OpenPipeCount, 0u);
}

TEST_F(TPipeHandlesTest, DigitNamesThePipeOfTheInterface)
{
    Start();
    auto pipe = Open(u"\\2");
    EXPECT_EQ(pipe->FileObject()->FsContext, &Ext()->InterfaceInfo->Pipes[2]);
    EXPECT_EQ(Ext()->PipeOpenFlags[2], 1);
    EXPECT_EQ(Ext()->OpenPipeCount, 1u);
}

TEST_F(TPipeHandlesTest, PipeIsHeldByOneHandleUntilItCloses)
{
    Start();
    auto first = Open(u"\\0");
    Open(u"\\0", STATUS_INVALID_PARAMETER);
    auto other = Open(u"\\1");
    EXPECT_EQ(Ext()->OpenPipeCount, 2u);
    first->Close();
    EXPECT_EQ(Ext()->PipeOpenFlags[0], 0);
    EXPECT_EQ(Ext()->OpenPipeCount, 1u);
    auto again = Open(u"\\0");
    EXPECT_TRUE(again->IsOpen());
}

TEST_F(TPipeHandlesTest, NamesThatSelectNoPipeAreRefused)
{
    Start();
    Open(u"\\3", STATUS_INSUFFICIENT_RESOURCES); // one beyond the last of three pipes
    Open(u"\\:", STATUS_INSUFFICIENT_RESOURCES); // pipe 10
    Open(u"\\/", STATUS_INSUFFICIENT_RESOURCES); // below '0': wraps to a huge number
    Open(u"\\", STATUS_INSUFFICIENT_RESOURCES);  // no second character
    EXPECT_EQ(Ext()->OpenPipeCount, 0u);
}

TEST_F(TPipeHandlesTest, InterfaceWithoutPipesOpensControlHandlesOnly)
{
    TSimUsbDevice::TSettings settings;
    settings.Endpoints.clear();
    Start(settings);
    Open(u"\\0", STATUS_INSUFFICIENT_RESOURCES);
    Open(u"");
}

TEST_F(TPipeHandlesTest, CloseWorksInEveryStateAndFreesThePipe)
{
    Start();
    auto pipe = Open(u"\\1");
    ASSERT_EQ(Pnp(IRP_MN_QUERY_REMOVE_DEVICE), STATUS_SUCCESS);
    pipe->Close();
    EXPECT_EQ(Ext()->OpenPipeCount, 0u);
    ASSERT_EQ(Pnp(IRP_MN_CANCEL_REMOVE_DEVICE), STATUS_SUCCESS);
    Open(u"\\1");
    EXPECT_EQ(PendingIoCount(), 1);
}

} // namespace
