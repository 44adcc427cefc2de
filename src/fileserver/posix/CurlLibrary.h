#pragma once
#include <curl/curl.h>

// libcurl, loaded on the first HTTP request: with its thirty-odd dependencies it would add more
// to every start of the launcher and of norvane-update than a whole update from a folder costs.
struct TCurlLibrary {
  CURLcode (*global_init)(long);
  CURL* (*easy_init)();
  void (*easy_reset)(CURL*);
  CURLcode (*easy_setopt)(CURL*, CURLoption, ...);
  CURLcode (*easy_perform)(CURL*);
  CURLcode (*easy_getinfo)(CURL*, CURLINFO, ...);
  void (*easy_cleanup)(CURL*);
  const char* (*easy_strerror)(CURLcode);
  curl_slist* (*slist_append)(curl_slist*, const char*);
  void (*slist_free_all)(curl_slist*);
};

// Loaded and initialised once per process; raises when libcurl cannot be loaded.
const TCurlLibrary& Curl();
