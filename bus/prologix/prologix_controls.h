/* The control functions libtarvix-prologix.so exports beside the linux-gpib driver functions:
   which adapter it reaches, what that adapter calls itself, and why the last call failed. Texts
   are owned by the calling thread and valid until its next call of the same function. */
#ifndef TARVIX_PROLOGIX_CONTROLS_H
#define TARVIX_PROLOGIX_CONTROLS_H

#ifdef __cplusplus
extern "C" {
#endif

#ifndef PROLOGIX_API
#define PROLOGIX_API __attribute__((visibility("default")))
#endif

/* "DEVICE[?baud=N]" or "tcp://HOST[:PORT]"; closes any link open before. 0, or -1 when the text
   names no adapter (prologix_problem says why). */
PROLOGIX_API int prologix_set_target(const char* target);
/* The adapter's answer to ++ver; empty until its link has opened. */
PROLOGIX_API const char* prologix_version(void);
/* Why the last driver call failed (or the target was refused), naming the port; empty after a
   call that succeeded. */
PROLOGIX_API const char* prologix_problem(void);

#ifdef __cplusplus
}
#endif

#endif
