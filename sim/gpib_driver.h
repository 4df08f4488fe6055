/* The driver functions libtarvix-gpibsim.so exports, with linux-gpib's C signatures and numbers
   (see driver_abi.h). A program binds them with dlopen/dlsym like any GPIB library; this header
   only gives their types. */
#ifndef TARVIX_GPIB_DRIVER_H
#define TARVIX_GPIB_DRIVER_H

#ifdef __cplusplus
extern "C" {
#endif

#ifndef GPIBSIM_API
#define GPIBSIM_API __attribute__((visibility("default")))
#endif

typedef unsigned short Addr4882_t;

GPIBSIM_API void SendIFC(int board);
GPIBSIM_API void DevClear(int board, Addr4882_t address);
GPIBSIM_API void EnableLocal(int board, const Addr4882_t* addresses);
GPIBSIM_API void EnableRemote(int board, const Addr4882_t* addresses);
GPIBSIM_API void Send(int board, Addr4882_t address, const void* data, long count, int eotmode);
GPIBSIM_API void Receive(int board, Addr4882_t address, void* buffer, long count, int termination);
GPIBSIM_API void ReadStatusByte(int board, Addr4882_t address, short* result);
GPIBSIM_API int ibwait(int ud, int mask);
GPIBSIM_API int ibconfig(int ud, int option, int value);
GPIBSIM_API int RegisterGpibGlobalsForThread(int* ibsta, int* iberr, int* ibcnt, long* ibcntl);
GPIBSIM_API int UnregisterGpibGlobalsForThread(void);
GPIBSIM_API int ThreadIbsta(void);
GPIBSIM_API int ThreadIberr(void);
GPIBSIM_API int ThreadIbcnt(void);
GPIBSIM_API long ThreadIbcntl(void);

#ifdef __cplusplus
}
#endif

#endif
