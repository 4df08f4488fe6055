/* Control surface of the simulated GPIB board and HP 4140B (libtarvix-gpibsim.so), for tests
   and for the program's dry runs. Every function is safe to call from any thread; functions
   returning int give 0 on success and -1 when they refuse, with the reason in
   gpibsim_messages(). Keys, faults and the trace format are described in sim/README.md. */
#ifndef TARVIX_GPIBSIM_H
#define TARVIX_GPIBSIM_H

#ifdef __cplusplus
extern "C" {
#endif

#ifndef GPIBSIM_API
#define GPIBSIM_API __attribute__((visibility("default")))
#endif

/* Power-on state and configuration */
GPIBSIM_API void gpibsim_reset(void);
GPIBSIM_API int gpibsim_load_config(const char* path);
GPIBSIM_API int gpibsim_configure(const char* section, const char* key, const char* value);
GPIBSIM_API const char* gpibsim_messages(void);

/* Board */
GPIBSIM_API int gpibsim_set_address(int primary_address);
GPIBSIM_API int gpibsim_set_boards(const int* board_ids, int count);
GPIBSIM_API int gpibsim_set_register_result(int code);

/* Device under test and meter */
GPIBSIM_API int gpibsim_set_model(const char* kind);
GPIBSIM_API int gpibsim_set_model_parameter(const char* name, double value);
GPIBSIM_API int gpibsim_set_reading_times(double short_s, double medium_s, double long_s);
GPIBSIM_API int gpibsim_set_noise_seed(unsigned long long seed);
GPIBSIM_API int gpibsim_set_noise_level(double relative, double absolute_amps);

/* Faults */
GPIBSIM_API int gpibsim_set_fault(const char* name, const char* value);
GPIBSIM_API void gpibsim_clear_faults(void);

/* Time */
GPIBSIM_API int gpibsim_set_virtual_time(int enable);
GPIBSIM_API int gpibsim_set_time(double seconds);
GPIBSIM_API int gpibsim_advance(double seconds);
GPIBSIM_API double gpibsim_time(void);
GPIBSIM_API double gpibsim_next_reading_time(void);

/* Observation */
GPIBSIM_API int gpibsim_status_byte(void);
GPIBSIM_API int gpibsim_output_on(void);
GPIBSIM_API int gpibsim_remote(void);
GPIBSIM_API long gpibsim_readings_taken(void);
GPIBSIM_API long gpibsim_readings_collected(void);
GPIBSIM_API long gpibsim_lost_readings(void);
GPIBSIM_API long gpibsim_ignored_commands(void);
GPIBSIM_API const char* gpibsim_last_commands(int count);

/* Trace */
GPIBSIM_API int gpibsim_set_trace(const char* path);

#ifdef __cplusplus
}
#endif

#endif
